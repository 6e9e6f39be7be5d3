#pragma once

#include <QByteArray>
#include <QString>

// The program's end of a serial line opened with plain POSIX calls: raw, non
// blocking. Reads keep the Qt event loop turning, so a simulator served from
// the same thread answers meanwhile; every wait has a deadline.
class PosixLine {
  public:
    enum class Settings { MakeRaw, AsFound };
    explicit PosixLine(const QString& path, Settings settings = Settings::MakeRaw);
    ~PosixLine();
    PosixLine(const PosixLine&) = delete;
    PosixLine& operator=(const PosixLine&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    QString error() const { return error_; }
    bool write(const QByteArray& bytes);
    // Everything up to and including the first ETX, or what came before the
    // deadline.
    QByteArray readFrame(int timeoutMs = 3000);
    void close();

  private:
    int fd_ = -1;
    QString error_;
    QByteArray unread_;
};

// Keeps the event loop turning for a while (bounded waits for in-process servers).
void TurnEventLoop(int ms);
