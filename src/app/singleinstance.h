// One running copy of the program per user. The first copy listens on a local socket in the
// user's runtime folder; a later start connects, hands its file over, waits for the
// acknowledgement and ends. A lock file beside the socket, held by the running copy for its
// whole life, makes "is a copy running? if not, listen" one step, so that two copies started at
// once cannot both listen, and lets a start take over the socket that a crashed copy left.
//
// Anyone of the same user may connect: what arrives is read within a size limit and a time
// limit, and anything but a well-formed handover is dropped unanswered.
//
// A later start also hands over the desktop's start-up tokens, which it cannot use itself (it
// shows no window): with them the running copy may come to the front, where the desktop would
// otherwise refuse a window that asks for the focus on its own.
#pragma once

#include <QByteArray>
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
    // The tokens a desktop gives a program it starts, as the environment held them at start-up
    // (empty: none): XDG_ACTIVATION_TOKEN on Wayland, DESKTOP_STARTUP_ID on X11.
    struct Activation {
        QByteArray xdgActivationToken;
        QByteArray startupId;
        bool empty() const { return xdgActivationToken.isEmpty() && startupId.isEmpty(); }
        static Activation fromEnvironment();
    };

    // Becomes the running copy, or hands `file` (absolute; empty: none) and `activation` over to
    // the one that runs. Blocks for a few seconds at most.
    Outcome start(const QString& file, const Activation& activation = {});
    QString problem() const;

    // Called from the event loop, once per handover received, with its file ("" for none).
    void setHandler(std::function<void(const QString& file)> handler);
    // Called from the event loop just before that handler, when the handover carried tokens.
    void setActivationHandler(std::function<void(const Activation& activation)> handler);

    // The largest file name a handover carries, in bytes; the largest token.
    static constexpr int kMaxPath = 16384;
    static constexpr int kMaxToken = 1024;

  private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace zelmor::app
