#include "app/QtTranslations.h"

#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "text/TextTable.h"

namespace brelker {

void FollowLanguageInQt(int language) {
    static std::unique_ptr<QTranslator> loaded;
    if (loaded) {
        QCoreApplication::removeTranslator(loaded.get());
        loaded.reset();
    }
    // "qt_xx" brings Qt's whole catalogue for a language: for German it names
    // qtbase_de and the others, for Swedish it is one file of its own.
    const char* name = language == kSwedish ? "qt_sv" : language == kGerman ? "qt_de" : nullptr;
    if (name == nullptr) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLatin1String(name), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get())) {
        loaded = std::move(translator);
    }
}

}  // namespace brelker
