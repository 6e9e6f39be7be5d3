#pragma once

// Positions in the language table of the texts the smoke window shows.
namespace smoke_text {
constexpr int ExclStamp1 = 5;
constexpr int ExclStamp2 = 6;
constexpr int Fine = 7;
constexpr int Avan = 8;
constexpr int Fase = 9;
constexpr int Esito = 11;
constexpr int Cap = 12;
constexpr int Prove = 13;
constexpr int Frame = 14;
constexpr int Tcella = 15;
constexpr int Tolio = 16;
constexpr int Tfumi = 17;
constexpr int Op = 18;
constexpr int Mis = 19;
constexpr int Start = 20;
constexpr int Lim = 21;
constexpr int Stampa = 22;
constexpr int DatVeic = 23;
constexpr int Mis1 = 24;
constexpr int Mis2 = 25;
constexpr int Mis3 = 26;
constexpr int Mis4 = 27;
constexpr int AttRisc = 28;
constexpr int Dec = 29;
constexpr int Acc = 30;
constexpr int ManMax = 31;
constexpr int ManMin = 32;
constexpr int Concl = 33;
constexpr int Autzer = 34;
constexpr int Attivo = 35;
constexpr int PAlta = 36;
constexpr int PBassa = 37;
constexpr int EnnO = 38;
constexpr int PPOtt = 39;
constexpr int Riscal = 40;
constexpr int Spengere = 41;
constexpr int Control = 42;
constexpr int ExclStamp4 = 43;
constexpr int ExclStamp5 = 44;
constexpr int Misura = 45;
constexpr int StampaOpaStampa = 142;
constexpr int Blocco = 143;
constexpr int BlkAss = 144;
constexpr int GraficShown = 145; // ANFUMOGrafic
constexpr int Mis5 = 146;
constexpr int EV = 147;
constexpr int SlChiusa = 148;
constexpr int SlAperta = 149;
constexpr int Valim = 160;
constexpr int CriticTcam = 161;
constexpr int TAlta = 163;
constexpr int ESlitta = 164;
constexpr int Mis15 = 165;
} // namespace smoke_text
