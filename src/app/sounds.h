// The six sounds of the game, one QSoundEffect each, played without waiting. A file that is
// missing or cannot be decoded, or a machine without an audio device, leaves that sound
// silent; nothing is ever reported to the user.
#pragma once

#include <QObject>
#include <QString>

#include <array>

class QSoundEffect;

namespace quorvin {

enum class TSound { Move, Advice, Capture, Start, Victory, Defeat };
inline constexpr int SoundCount = 6;

// The file of each sound under the program's "Sound/" folder, by TSound.
inline constexpr std::array<const char*, SoundCount> SoundFileNames{
    "Move.wav", "Advice.wav", "Capture.wav", "Start.wav", "Victory.wav", "Defeat.wav"};

class TSounds : public QObject {
    Q_OBJECT

  public:
    explicit TSounds(QObject* parent = nullptr);

    // Binds every player to its file under folder (which ends with a separator).
    void Open(const QString& folder);
    // Plays the sound from its start and returns at once.
    void Play(TSound sound);

    // How often each sound has been played since the start; the tests read it.
    int PlayCount(TSound sound) const { return Counts[Index(sound)]; }

  private:
    static std::size_t Index(TSound sound) { return static_cast<std::size_t>(sound); }

    std::array<QSoundEffect*, SoundCount> Players{};
    std::array<int, SoundCount> Counts{};
};

} // namespace quorvin
