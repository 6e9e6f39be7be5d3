#include "link/RepeatedRequest.h"

#include "ui/Controls.h"

namespace {

const QString LineLostMark = QStringLiteral(" - ERRORE COM");

} // namespace

RepeatedRequest::RepeatedRequest(SerialPort& port, ui::Window& window, Sender send)
    : port_(port), window_(window), send_(std::move(send)) {
    Timer.setHandler([this] { unanswered(); });
}

void RepeatedRequest::sent(const QByteArray& command, const QByteArray& data) {
    command_ = command;
    data_ = data;
    // A full second for each request, the repeated ones too.
    Timer.setEnabled(false);
    Timer.setEnabled(true);
}

void RepeatedRequest::answered() {
    Timer.setEnabled(false);
    rule_.answered();
    showLineLost(false);
}

void RepeatedRequest::stop() {
    Timer.setEnabled(false);
    showLineLost(false);
}

void RepeatedRequest::unanswered() {
    showLineLost(true);
    rule_.missed(port_);
    // Copies: sending records the request again.
    const QByteArray command = command_;
    const QByteArray data = data_;
    send_(command, data);
}

void RepeatedRequest::showLineLost(bool lost) {
    if (lost == lineLostShown_)
        return;
    if (lost) {
        caption_ = window_.caption();
        window_.setCaption(caption_ + LineLostMark);
    } else {
        window_.setCaption(caption_);
    }
    lineLostShown_ = lost;
}
