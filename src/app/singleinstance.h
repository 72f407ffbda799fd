// One running copy of the program per user. The first copy listens on a local socket in the
// user's runtime folder; a later start connects, hands its file over, waits for the
// acknowledgement and ends. A lock file beside the socket, held by the running copy for its
// whole life, makes "is a copy running? if not, listen" one step, so that two copies started at
// once cannot both listen, and lets a start take over the socket that a crashed copy left.
//
// Anyone of the same user may connect: what arrives is read within a size limit and a time
// limit, and anything but a well-formed handover is dropped unanswered.
#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace zelmor::app {

class SingleInstance {
  public:
    // `folder`: the user's runtime folder (private to the user), holding the socket and the lock.
    explicit SingleInstance(const QString& folder);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Outcome {
        Running,     // this is the running copy; problem() says why it may not be listening
        HandedOver,  // the running copy has the file: this start ends
        NoAnswer,    // a copy holds the lock or the socket but did not acknowledge: see problem()
    };
    // Becomes the running copy, or hands `file` (absolute; empty: none) over to the one that
    // runs. Blocks for a few seconds at most.
    Outcome start(const QString& file);
    QString problem() const;

    // Called from the event loop, once per handover received, with its file ("" for none).
    void setHandler(std::function<void(const QString& file)> handler);

    // The largest file name a handover carries, in bytes.
    static constexpr int kMaxPath = 16384;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace zelmor::app
