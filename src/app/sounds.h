// The six sounds of the game, one QSoundEffect each, played without waiting. The players live
// on a thread of their own: the window's thread sleeps through the pauses of a move replay
// and serves events only now and then while the engine thinks, and a sound must not stall
// meanwhile. A file that is missing or cannot be decoded, or a machine without an audio
// device, leaves that sound silent; nothing is ever reported to the user.
#pragma once

#include "game_flow.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <array>
#include <memory>

namespace quorvin {

// The file of each sound under the program's "Sound/" folder, by TSound.
inline constexpr std::array<const char*, SoundCount> SoundFileNames{
    "Move.wav", "Advice.wav", "Capture.wav", "Start.wav", "Victory.wav", "Defeat.wav"};

class TSoundPlayers;

class TSounds : public QObject {
    Q_OBJECT

  public:
    explicit TSounds(QObject* parent = nullptr);
    ~TSounds() override;

    // Binds every player to its file under folder (which ends with a separator).
    void Open(const QString& folder);
    // Plays the sound from its start and returns at once.
    void Play(TSound sound);

    // How often each sound has been played since the start; the tests read it.
    int PlayCount(TSound sound) const { return Counts[static_cast<std::size_t>(sound)]; }

  signals:
    // A sound was started; emitted at once, also while a move replay serves no events.
    void Played(quorvin::TSound sound);

  private:
    QThread Thread;
    std::unique_ptr<TSoundPlayers> Players; // lives on Thread and is freed there
    std::array<int, SoundCount> Counts{};
};

} // namespace quorvin
