#include "sim/PtyTransport.h"

#include "sim/InstrumentEngine.h"

namespace sim {

std::unique_ptr<PtyTransport> PtyTransport::open(InstrumentEngine& engine, const QString& linkPath, QString* error) {
    std::unique_ptr<PtyLink> link = PtyLink::create(linkPath, error);
    if (!link)
        return nullptr;
    return std::unique_ptr<PtyTransport>(new PtyTransport(engine, std::move(link)));
}

PtyTransport::PtyTransport(InstrumentEngine& engine, std::unique_ptr<PtyLink> link)
    : engine_(engine), link_(std::move(link)), readable_(link_->masterFd(), QSocketNotifier::Read),
      writable_(link_->masterFd(), QSocketNotifier::Write) {
    writable_.setEnabled(false);
    connect(&readable_, &QSocketNotifier::activated, this, [this] { service(); });
    connect(&writable_, &QSocketNotifier::activated, this, [this] { writable_.setEnabled(!link_->flush()); });
    engine_.setOutput([this](const QByteArray& bytes) { sendOut(bytes); });
}

PtyTransport::~PtyTransport() {
    engine_.setOutput({});
}

void PtyTransport::service() {
    const QByteArray bytes = link_->readAvailable();
    if (!bytes.isEmpty())
        engine_.receive(bytes);
}

void PtyTransport::sendOut(const QByteArray& bytes) {
    link_->write(bytes);
    // A program that does not read fills the line; the rest goes when it can.
    writable_.setEnabled(link_->hasPending());
}

} // namespace sim
