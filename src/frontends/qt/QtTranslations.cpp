#include "qt/QtTranslations.h"

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "text/Languages.h"
#include "text/TextTable.h"

namespace brelker {

void FollowLanguageInQt(int language) {
    static std::vector<std::unique_ptr<QTranslator>> loaded;
    for (const auto& translator : loaded) {
        QCoreApplication::removeTranslator(translator.get());
    }
    loaded.clear();
    const auto install = [](const QString& name, const QString& folder) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(name, folder) &&
            QCoreApplication::installTranslator(translator.get())) {
            loaded.push_back(std::move(translator));
        }
    };
    const QString system = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // "qt_xx" brings Qt's whole catalogue for a language: for German it names
    // qtbase_de and the others, for Swedish it is one file of its own, which
    // lacks the standard buttons and much of the file dialog. The program's
    // own catalogue fills those in where it has one; installed last, it is
    // asked first. English needs neither.
    const LanguageFacts& facts = FactsOf(language);
    if (facts.language == kEnglish) {
        return;
    }
    const QString code =
        QString::fromUtf8(facts.code.data(), static_cast<qsizetype>(facts.code.size()));
    install(QStringLiteral("qt_") + code, system);
    install(QStringLiteral("brelker_qt_") + code, QStringLiteral(":/translations"));
}

}  // namespace brelker
