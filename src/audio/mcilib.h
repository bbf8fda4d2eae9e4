#pragma once

#include <QObject>
#include <QString>

#include <map>
#include <memory>

class SoundBackend;
class SoundStream;
struct MciCommand;

// MCILib: MCI text commands interpreted here over a SoundBackend (PulseAudio or virtual).
// The program's only door to sound: MCI command strings ("open", "play", "record", "stop",
// "save", "close", "status") executed on a sound backend, with MCI status codes (0 = success)
// and readable texts.
//
// Completion notices: every command that ends in "notify" gives exactly one
//     void mciNotify(const QString& alias, int notifyCode)
// on the GUI thread, always after mSendString has returned: 1 (MCI_NOTIFY_SUCCESSFUL) when a
// playback reaches its end, 2 (SUPERSEDED) when another play or record on the same device
// replaces it, 4 (ABORTED) when it is stopped, saved or closed early, 8 (FAILURE) when the
// sound server goes away or the disk refuses the recording. MciNotices hands each notice
// to the owner of its alias.
//
// The MCIStatusLabel text of the main window ("Play", "Record" or empty) lives here too, so
// the player window writes it and the main window shows it.
class MCILib : public QObject {
    Q_OBJECT
public:
    // The backend comes from the program's AudioChoice.
    explicit MCILib(std::unique_ptr<SoundBackend> backend, QObject* parent = nullptr);
    ~MCILib() override;

    // Runs one command; result gets the reply text (status 0) or the error text.
    int mSendString(const QString& command, QString& result);
    // Playing time in seconds; 0 for a file that cannot be read.
    double GetAudioFileLength(const QString& path);
    // The readable text of a status code.
    static QString errorText(int status);

    QString statusText() const { return m_statusText; }
    void setStatusText(const QString& text);

    // The device open under that alias or file name, or nullptr; for diagnostics.
    SoundStream* device(const QString& name) const;

signals:
    void mciNotify(const QString& alias, int notifyCode);
    void statusTextChanged(const QString& text);

private:
    struct Device {
        QString name; // as the opener spelled it, used in its notices
        std::unique_ptr<SoundStream> stream;
        bool notifyPending = false;
    };

    int execute(const MciCommand& cmd, QString& reply);
    int open(const MciCommand& cmd);
    int start(Device& device, bool notify);
    int stop(Device& device);
    int save(Device& device, const MciCommand& cmd);
    int close(const QString& key);
    int status(const Device& device, const MciCommand& cmd, QString& reply) const;
    void endNotice(Device& device, int code);
    void onEnded(const QString& key, bool failed);
    Device* find(const QString& name);

    std::unique_ptr<SoundBackend> m_backend;
    std::map<QString, Device> m_devices; // by lower-case name: MCI names ignore case
    QString m_statusText;
};
