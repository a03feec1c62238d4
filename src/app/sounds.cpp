// The sound players; see sounds.h.
#include "sounds.h"

#include <QCoreApplication>
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

TSounds::TSounds(QObject* parent) : QObject(parent), Players(std::make_unique<TSoundPlayers>()) {
    Thread.setObjectName(QStringLiteral("Sounds"));
    Players->moveToThread(&Thread);
    // The players are freed on their own thread as it ends, and so are the parts of them
    // that the multimedia library lets go only later.
    connect(
        &Thread, &QThread::finished, this,
        [this] {
            Players.reset();
            for (int pass = 0; pass < 3; ++pass)
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        },
        Qt::DirectConnection);
    Thread.start();
}

TSounds::~TSounds() {
    Thread.quit();
    Thread.wait();
}

void TSounds::Open(const QString& folder) {
    QMetaObject::invokeMethod(Players.get(),
                              [players = Players.get(), folder] { players->Open(folder); });
}

void TSounds::Play(TSound sound) {
    const auto index = static_cast<std::size_t>(sound);
    ++Counts[index];
    QMetaObject::invokeMethod(Players.get(),
                              [players = Players.get(), index] { players->Play(index); });
    emit Played(sound);
}

} // namespace quorvin
