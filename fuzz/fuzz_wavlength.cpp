// A recording or a greeting file as it lies on disk: its length read from the WAV header and
// through libsndfile (the sound layer's GetAudioFileLength), as the recording list does.
#include "fuzzsupport.h"

#include "platform/soundfile.h"
#include "recording/recordinglengths.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    Fuzz::init(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = Fuzz::scratch() + QStringLiteral("/recording.wav");
    Fuzz::writeFile(path, Fuzz::bytes(data, size));
    (void)RecordingLengths::wavHeaderSeconds(path, qint64(size));
    (void)SoundFile::lengthMs(path);
    return 0;
}
