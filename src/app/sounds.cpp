// The sound players; see sounds.h.
#include "sounds.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace quorvin {

// The players themselves, touched only on the sound thread.
class TSoundPlayers : public QObject {
  public:
    void Open(const QString& folder) {
        for (std::size_t i = 0; i < Effects.size(); ++i) {
            const QString file = folder + QString::fromLatin1(SoundFileNames[i]);
            if (!QFileInfo::exists(file)) continue; // that sound stays silent
            if (!Effects[i]) Effects[i] = new QSoundEffect(this);
            Effects[i]->setSource(QUrl::fromLocalFile(file));
        }
    }

    void Play(std::size_t index) {
        QSoundEffect* effect = Effects[index];
        if (!effect || effect->status() == QSoundEffect::Error) return;
        // A sound that is still ringing starts again from the beginning.
        effect->stop();
        effect->play();
    }

  private:
    std::array<QSoundEffect*, SoundCount> Effects{};
};

TSounds::TSounds(QObject* parent) : QObject(parent), Players(new TSoundPlayers) {
    Thread.setObjectName(QStringLiteral("Sounds"));
    Players->moveToThread(&Thread);
    connect(&Thread, &QThread::finished, Players, &QObject::deleteLater);
    Thread.start();
}

TSounds::~TSounds() {
    Thread.quit();
    Thread.wait();
}

void TSounds::Open(const QString& folder) {
    QMetaObject::invokeMethod(Players, [players = Players, folder] { players->Open(folder); });
}

void TSounds::Play(TSound sound) {
    const auto index = static_cast<std::size_t>(sound);
    ++Counts[index];
    QMetaObject::invokeMethod(Players, [players = Players, index] { players->Play(index); });
}

} // namespace quorvin
