// The name of every window of the program, as the window registry and the scenarios know it.
#pragma once

namespace zelmor::shared::window {

inline constexpr char kSplash[] = "frmSplash";  // opening and closing screen, with the music
inline constexpr char kMenu[] = "menu";         // data entry
inline constexpr char kDrawing[] = "disegno";
inline constexpr char kTitlePage[] = "frontespizio";
// Help: the contents, its seven pages and the tip of the day.
inline constexpr char kContents[] = "sommario";
inline constexpr char kManual[] = "manuale";
inline constexpr char kGuideWorking[] = "guidafunzionamento";
inline constexpr char kGuideArchive[] = "guidaarchivio";
inline constexpr char kGuidePrint[] = "guidastampa";
inline constexpr char kGuideMenu[] = "guidamenu";
inline constexpr char kGuideDrawing[] = "guidadisegno";
inline constexpr char kGuideTitlePage[] = "guidafrontespizio";
inline constexpr char kTip[] = "frmTip";
// Around the program: the catalogue (loaded hidden at start-up), product support, about, the
// message to the support, and the office data.
inline constexpr char kCatalogue[] = "prodotti";
inline constexpr char kSupport[] = "supportoclienti";
inline constexpr char kAbout[] = "informa";
inline constexpr char kEmail[] = "emailform";
// The office's name and address, set from the about window.
inline constexpr char kOffice[] = "ufficio";

}  // namespace zelmor::shared::window
