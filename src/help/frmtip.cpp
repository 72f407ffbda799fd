#include "frmtip.h"

#include "helppageform.h"
#include "model/cp1252.h"
#include "model/fileio.h"
#include "shared/windows.h"

#include <QRegularExpression>

namespace zelmor::help {

using tk::ControlKind;

const QString FrmTip::kTipsFile = QStringLiteral("SuggerimentiZelmor.TXT");

FrmTip::FrmTip(tk::Application& app, shared::ModZelmor& /*shared*/)
    : tk::Form(app, shared::window::kTip) {
    build();
}

void FrmTip::build() {
    setCaption(QStringLiteral("Suggerimento del giorno"));
    setScaleSize(kClientWidth, kClientHeight);

    tk::Control& picture = add(ControlKind::Frame, QStringLiteral("Picture1"));
    picture.setGeometry({120, 120, 4455, 2715});
    picture.setBackColor(kHelpYellow);
    tk::Control& icon = add(ControlKind::Image, QStringLiteral("Image1"), 0, &picture);
    icon.setGeometry({0, 0, 32 * tk::kTwipsPerPixel, 32 * tk::kTwipsPerPixel});
    icon.setPicture(QStringLiteral("tips"));
    icon.setSpeech({.silent = true});  // an ornament beside the heading

    tk::Control& heading = add(ControlKind::Label, QStringLiteral("Label1"), 0, &picture);
    heading.setGeometry({540, 180, 2655, 255});
    heading.setText(QStringLiteral("Non tutti sanno che..."));
    heading.setBackColor(kHelpYellow);

    tk::Control& tip = add(ControlKind::Label, QStringLiteral("lblTipText"), 0, &picture);
    tip.setGeometry({180, 840, 4095, 1635});
    tip.setBackColor(kHelpYellow);
    tip.setUseMnemonic(false);  // tips are shown as written

    const auto button = [this](const char* name, int top, const char* caption) {
        tk::Control& b = add(ControlKind::CommandButton, QString::fromLatin1(name));
        b.setGeometry({4800, top, 1215, 375});
        b.setText(QString::fromUtf8(caption));
        return &b;
    };
    tk::Control& close = *button("cmdOK", 120, "&Chiudi");
    close.onClick = [this] { cmdOK_Click(); };
    setDefaultButton(close);
    setCancelButton(close);
    button("cmdNextTip", 600, "&Successivo")->onClick = [this] { cmdNextTip_Click(); };
    button("cmdprecedente", 1080, "&Precedente")->onClick = [this] { cmdprecedente_Click(); };
}

QString FrmTip::missingFileMessage() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("Impossibile trovare il file ") + kTipsFile + crlf + crlf +
           QStringLiteral("Creare un file di testo denominato ") + kTipsFile +
           QStringLiteral(
               " utilizzando il Blocco note e inserendo un suggerimento per ogni riga. ") +
           QStringLiteral("Inserire il file nella stessa directory dell'applicazione. ");
}

QStringList FrmTip::parseTips(const QByteArray& bytes) {
    static const QRegularExpression kLineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList tips = model::fromCp1252(bytes).split(kLineEnd);
    // A line end closes the last tip; it does not start an empty one.
    if (tips.last().isEmpty()) tips.removeLast();
    return tips;
}

void FrmTip::load() {
    // The user's own copy of the tips first, then the installed one.
    const QString path = app().platform().dataFile(kTipsFile);
    if (!LoadTips(path)) at(QStringLiteral("lblTipText")).setText(missingFileMessage());
    centreOnScreen();
}

bool FrmTip::LoadTips(const QString& path) {
    // Only an ordinary file of a tips file's size: a pipe or a device of that name would never
    // end. A file that is there but cannot be read is told as a missing one, rather than failing.
    const model::FileBytes file = model::readRegularFile(path, kMaxTipsBytes);
    if (!file.ok()) return false;
    tipList_.append(parseTips(file.bytes));
    showNextTip();
    return true;
}

void FrmTip::showNextTip() {
    ++currentTip_;
    if (currentTip_ > tipList_.size()) currentTip_ = 1;
    DisplayCurrentTip();
}

void FrmTip::DisplayCurrentTip() {
    if (tipList_.isEmpty()) return;
    at(QStringLiteral("lblTipText")).setText(tipList_.at(currentTip_ - 1));
}

void FrmTip::cmdprecedente_Click() {
    // No wrap backwards: the first tip is where browsing back stops.
    if (currentTip_ <= 1) return;
    --currentTip_;
    DisplayCurrentTip();
}

void FrmTip::cmdOK_Click() {
    app().hide(name());
}

}  // namespace zelmor::help
