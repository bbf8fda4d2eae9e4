#pragma once

#include "attachmode.h"
#include "chatdelivery.h"
#include "transcript.h"
#include "world.h"

#include <QObject>
#include <QSet>

#include <functional>

#include <map>
#include <memory>
#include <vector>

class CallCapture;
class LoadGenerator;
class HostEndpoint;
class VoicePlayer;
class MicrophoneVoice;

// Result of an operation asked for by a client, the console or the control object.
struct OpResult {
    bool ok = false;
    uint id = 0;
    QString error;
    static OpResult success(uint id = 0) { return {true, id, {}}; }
    static OpResult failure(const QString& why) { return {false, 0, why}; }
};

struct SimSettings {
    AttachMode attach;
    QString audioIn = QStringLiteral("mic");
    QString audioOut = QStringLiteral("spk");
    int userReplyDelayMs = 0; // GET USER replies leave this much later (userdetails.cpp)
};

// The host itself: the world, one endpoint per user on a bus, and the routing of calls, chats
// and status changes between users. Users without an endpoint are played by the simulator:
// they answer calls after their answer delay and are driven from the console or control object.
class Simulator : public QObject {
    Q_OBJECT

public:
    Simulator(World world, SimSettings settings, QObject* parent = nullptr);
    ~Simulator() override;

    World& world() { return world_; }
    Transcript& transcript() { return transcript_; }
    const SimSettings& settings() const { return settings_; }
    AttachMode attachMode() const { return settings_.attach; }
    void setAttachMode(const AttachMode& mode) { settings_.attach = mode; }
    void setVoicePlayer(VoicePlayer* player) { voice_ = player; }
    void setMicrophoneVoice(MicrophoneVoice* voice) { micVoice_ = voice; }
    void setCallCapture(CallCapture* capture) { capture_ = capture; }
    CallCapture* callCapture() const { return capture_; }
    void setLoadGenerator(LoadGenerator* load) { load_ = load; }
    LoadGenerator* loadGenerator() const { return load_; }

    bool addEndpoint(const QString& handle, const QString& address, QString* error);
    HostEndpoint* endpoint(const QString& handle) const;
    std::vector<HostEndpoint*> endpoints() const;

    // From the endpoints.
    void command(const QString& user, const QString& client, const QString& line);
    void clientAttached(const QString& user, const QString& client);

    // Operations shared by the command interpreter, the console and the control object.
    OpResult placeCall(const QString& from, const QString& to);
    OpResult answerCall(uint id, const QString& as);
    OpResult endCall(uint id, const QString& as);
    OpResult sendChat(const QString& from, const QString& to, const QString& text);
    OpResult markSeen(uint id, const QString& viewer, const QString& kind);
    OpResult setStatus(const QString& handle, const QString& status);
    OpResult setHostAvailable(const QString& handle, bool available);
    void watch(const QString& user, const QString& other);

    QStringList callList() const;
    QStringList chatList() const;
    QStringList userList() const;

    // Sends a line to every client attached for this user (nobody hears a simulated user).
    void notify(const QString& user, const QString& line);
    // Sends a line about HANDLE to the clients of every other user who follows HANDLE: a
    // friend, or one whose client asked about HANDLE (userdetails.cpp).
    void notifyWatchers(const QString& handle, const QString& line);
    void setUserReplyDelay(int milliseconds) { settings_.userReplyDelayMs = milliseconds; }

    // Chats between users go through the delivery rules (simulatordelivery.cpp).
    ChatDelivery& delivery() { return delivery_; }
    uint releaseChats(const QString& from, const QString& to);
    // Test hooks, driven by the script object. The filter sees the replies to each command
    // and returns the ones to send now (it may hold, delay or drop the rest).
    using ReplyFilter = std::function<QStringList(const QString& user, const QString& client,
                                                  const QString& command, const QStringList&)>;
    void setReplyFilter(ReplyFilter filter) { replyFilter_ = std::move(filter); }
    // The kind word of a user's chat notices: "CHATMESSAGE", or "MESSAGE" as older hosts say.
    void setMessageKind(const QString& user, const QString& kind);
    QString messageKind(const QString& user) const;

signals:
    void quitRequested();
    void chatRouted(uint id, const QString& from, const QString& to, const QString& text,
                    const QString& fate);

private:
    // Holds back the replies to a GET USER line while a reply delay is set (userdetails.cpp).
    bool deferUserReplies(const QString& user, const QString& client, const QString& line,
                          const QStringList& replies);
    void notifyCallStatus(const SimCall& call);
    void scheduleAnswer(const SimCall& call);
    void callAnswered(const SimCall& call);
    void callEnded(const SimCall& call);
    QString simulatedSide(const SimCall& call) const;
    void routeChat(const SimMessage& message);
    void deliverChat(uint id);

    World world_;
    SimSettings settings_;
    Transcript transcript_;
    std::map<QString, std::unique_ptr<HostEndpoint>> endpoints_;
    std::map<QString, QSet<QString>> watched_;
    VoicePlayer* voice_ = nullptr;
    ChatDelivery delivery_;
    MicrophoneVoice* micVoice_ = nullptr;
    CallCapture* capture_ = nullptr;
    LoadGenerator* load_ = nullptr;
    ReplyFilter replyFilter_;
    QSet<QString> oldKindUsers_;
};
