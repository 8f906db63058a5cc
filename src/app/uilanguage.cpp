// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/uilanguage.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace nv {
namespace {

const QString kEnglishTranslation = QStringLiteral("norvanta2_en");

bool isJapanese(const QString &language)
{
    return language == QLatin1String("ja") || language.startsWith(QLatin1String("ja-"))
           || language.startsWith(QLatin1String("ja_"));
}

bool isCLocale(const QString &language)
{
    return language == QLatin1String("C") || language == QLatin1String("POSIX");
}

UiLanguage chooseUiLanguage(bool localeIsC, const QStringList &preferredLanguages, bool englishAvailable)
{
    if (localeIsC || preferredLanguages.isEmpty() || !englishAvailable) return UiLanguage::Japanese;
    const QString &first = preferredLanguages.first();
    return isJapanese(first) || isCLocale(first) ? UiLanguage::Japanese : UiLanguage::English;
}

QStringList translationFolders(const QString &executableFolder)
{
    return {executableFolder, executableFolder + QStringLiteral("/../share/norvanta2")};
}

}  // namespace

UiLanguage installUiLanguage(QCoreApplication &application, const QString &executableFolder)
{
    const QLocale system = QLocale::system();
    auto *english = new QTranslator(&application);
    bool loaded = false;
    for (const QString &folder : translationFolders(executableFolder))
        if (!loaded) loaded = english->load(kEnglishTranslation, folder);
    const UiLanguage language = chooseUiLanguage(system.language() == QLocale::C, system.uiLanguages(), loaded);
    if (language == UiLanguage::English) QCoreApplication::installTranslator(english);
    else delete english;
    return language;
}

}  // namespace nv
