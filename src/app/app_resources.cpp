// Registering the compiled-in resources and building the setup cursors; see app_resources.h.
#include "app_resources.h"

#include <QPixmap>

#include <array>
#include <mutex>

// The resource initialiser must be called from the global namespace.
static void InitCompiledResources() {
    Q_INIT_RESOURCE(resources);
}

namespace quorvin {

void InitAppResources() {
    static std::once_flag once;
    std::call_once(once, InitCompiledResources);
}

QCursor SetupCursor(TSetupCursor tool) {
    InitAppResources();
    static constexpr std::array<const char*, 5> names{
        ":/Cursors/ESCURSOR.png", ":/Cursors/WPCURSOR.png", ":/Cursors/BPCURSOR.png",
        ":/Cursors/WKCURSOR.png", ":/Cursors/BKCURSOR.png"};
    return QCursor(QPixmap(QString::fromLatin1(names[std::size_t(tool)])), 1, 1);
}

} // namespace quorvin
