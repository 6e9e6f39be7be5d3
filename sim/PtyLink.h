#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace sim {

// A pseudo-terminal in raw mode standing in for an instrument's serial line,
// reachable by the program through a symbolic link. The master end is ours.
// We also keep a descriptor of the slave end open, so the program may close
// and reopen the line as often as it likes without the master seeing a
// hang-up and without the terminal going away.
class PtyLink {
  public:
    // Unsent bytes beyond this are dropped, like an overrun line.
    static constexpr qsizetype MaxPendingBytes = 64 * 1024;

    // Makes the pseudo-terminal and the link (its folder too). An existing
    // symbolic link at that path is replaced; anything else there is left
    // alone and the creation fails. nullptr and the reason in *error on failure.
    static std::unique_ptr<PtyLink> create(const QString& linkPath, QString* error = nullptr);
    // Removes the link when it still points at our terminal.
    ~PtyLink();
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    QString linkPath() const { return linkPath_; }
    QString slavePath() const { return slavePath_; }
    int masterFd() const { return master_; }

    // Whatever the program has written so far (never blocks).
    QByteArray readAvailable();
    // Sends bytes to the program; what the line cannot take now waits, up to
    // MaxPendingBytes, for flush().
    void write(const QByteArray& bytes);
    // Sends waiting bytes; true when none are left.
    bool flush();
    bool hasPending() const { return !pending_.isEmpty(); }
    qsizetype droppedBytes() const { return dropped_; }

  private:
    PtyLink(int master, int slave, QString slavePath, QString linkPath);

    int master_;
    int slave_;
    QString slavePath_;
    QString linkPath_;
    QByteArray pending_;
    qsizetype dropped_ = 0;
};

} // namespace sim
