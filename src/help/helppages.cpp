#include "helppages.h"
#include "shared/windows.h"

#include <QFile>

#include <algorithm>

namespace zelmor::help {

const std::vector<HelpPageLayout>& helpPages() {
    static const std::vector<HelpPageLayout> pages{
        {shared::window::kManual,
         "MANUALE D'USO RAPIDO",
         {120, 600, 3615, 375},
         {120, 840, 9135, 5520},
         9600,
         false},
        {shared::window::kGuideWorking,
         "FUNZIONAMENTO DEL PROGRAMMA",
         {120, 600, 4095, 255},
         {120, 960, 5175, 5280},
         5640,
         true},
        {shared::window::kGuideArchive,
         "ARCHIVIO DATI",
         {120, 600, 3615, 255},
         {120, 960, 5175, 5415},
         5640,
         true},
        {shared::window::kGuidePrint,
         "STAMPA",
         {120, 600, 3615, 255},
         {120, 960, 5175, 5295},
         5640,
         true},
        {shared::window::kGuideMenu,
         "MENU",
         {120, 600, 3615, 255},
         {120, 960, 5295, 5295},
         5640,
         true},
        {shared::window::kGuideDrawing,
         "DISEGNO MODELLO FENOMENOLOGICO",
         {120, 600, 3615, 255},
         {120, 960, 5175, 5415},
         5640,
         true},
        {shared::window::kGuideTitlePage,
         "FRONTESPIZIO PER LA RELAZIONE",
         {120, 600, 3615, 255},
         {120, 960, 5175, 5295},
         5640,
         true},
    };
    return pages;
}

const HelpPageLayout* findHelpPage(const QString& name) {
    const auto& pages = helpPages();
    const auto it = std::find_if(pages.begin(), pages.end(), [&](const HelpPageLayout& p) {
        return name == QLatin1String(p.name);
    });
    return it == pages.end() ? nullptr : &*it;
}

QString helpBody(const QString& name) {
    if (findHelpPage(name) == nullptr) return {};
    QFile file(QStringLiteral(":/help/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    while (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    // A paragraph ends with a carriage return, in the window as in the printed document.
    text.replace(QLatin1Char('\n'), QChar(13));
    return text;
}

}  // namespace zelmor::help
