#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <functional>

// Two copies of the program talk through ordinary chat messages whose text is a control
// message: the marker word "@@Quenlark@@", a feature word ("AutoAnswer" for the answering
// machine's remote control, "Arrowfall" for the darts game) and the feature's own words, all
// separated by single blanks. The chat-message tracker recognises such a text, never reports
// it, and hands it here; this class passes it to the feature it addresses and marks it read.

// A feature that takes control messages. The answering machine ("AutoAnswer") and the darts
// game ("Arrowfall") implement it and plug themselves into the envelope's slot for their word.
class ControlMessageHandler {
public:
    virtual ~ControlMessageHandler() = default;
    // Whether messages are delivered now: the answering machine while the main window's
    // AutoAnswerCheck is ticked, the darts game while its window is shown. A message that
    // arrives otherwise is dropped (still marked read); nothing is kept for later.
    virtual bool takesControlMessages() const = 0;
    // text: what follows the feature word, blanks at both ends removed (inner blanks kept);
    // sender: the writer's handle. Called on the GUI thread; it may send host commands.
    virtual void SkypeMessageHandler(QString& text, QString& sender) = 0;
};

class ControlEnvelope {
public:
    enum class Feature { AutoAnswer, Arrowfall };
    static constexpr int kFeatureCount = 2;
    // The marker word; compared exactly and case-sensitively.
    static constexpr const char* kMarker = "@@Quenlark@@";

    // sendCommand sends one host command line (the host link's SendCommandToSkype).
    explicit ControlEnvelope(std::function<void(const QString&)> sendCommand);

    // Fills a feature's slot; nullptr empties it (its messages are then dropped).
    void setHandler(Feature feature, ControlMessageHandler* handler);
    ControlMessageHandler* handler(Feature feature) const;

    static QString featureWord(Feature feature);
    // True when the first word of the chat text is the marker.
    static bool IsControlMessage(QStringView text);

    // One received control message (its first word is the marker): with at least three words,
    // a known feature word and a slot that takes messages now, the feature's handler gets it.
    // Every time, handled or dropped, the host is told "SET MESSAGE <id> SEEN".
    void Dispatch(qint32 messageId, const QString& text, const QString& sender);

    // The host command that sends a control message to a user: "MESSAGE " + recipient + " " +
    // marker + " " + feature word + " " + words. Every feature builds its messages here.
    static QString BuildControlMessage(const QString& recipient, Feature feature,
                                       const QString& words);
    // Builds the control message and sends it.
    void SendControlMessage(const QString& recipient, Feature feature, const QString& words);

private:
    std::function<void(const QString&)> m_send;
    std::array<ControlMessageHandler*, kFeatureCount> m_handlers{};
};
