// The sound players; see sounds.h.
#include "sounds.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace quorvin {

TSounds::TSounds(QObject* parent) : QObject(parent) {}

void TSounds::Open(const QString& folder) {
    for (std::size_t i = 0; i < Players.size(); ++i) {
        const QString file = folder + QString::fromLatin1(SoundFileNames[i]);
        if (!QFileInfo::exists(file)) continue; // that sound stays silent
        if (!Players[i]) Players[i] = new QSoundEffect(this);
        Players[i]->setSource(QUrl::fromLocalFile(file));
    }
}

void TSounds::Play(TSound sound) {
    ++Counts[Index(sound)];
    QSoundEffect* player = Players[Index(sound)];
    if (!player || player->status() == QSoundEffect::Error) return;
    // A sound that is still ringing starts again from the beginning.
    player->stop();
    player->play();
}

} // namespace quorvin
