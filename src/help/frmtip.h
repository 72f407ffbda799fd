// The tip of the day: short tips read from a text file beside the program, one per line, shown
// one at a time. "Chiudi" only hides the window, so it comes back on the same tip.
#pragma once

#include "shared/modzelmor.h"
#include "toolkit/application.h"
#include "toolkit/form.h"

#include <QStringList>

namespace zelmor::help {

class FrmTip : public tk::Form {
  public:
    static constexpr int kClientWidth = 6195;
    static constexpr int kClientHeight = 3285;

    FrmTip(tk::Application& app, shared::ModZelmor& shared);

    // The tips file's name, and the text shown in its place when it cannot be read.
    static const QString kTipsFile;
    static constexpr qsizetype kMaxTipsBytes =
        qsizetype{1024} * 1024;  // some 200 times the tips shipped
    static QString missingFileMessage();
    // The tips of a file's bytes: one per line (CR LF, LF or CR), in the code page of the
    // program's files; a last line without its end counts too.
    static QStringList parseTips(const QByteArray& bytes);

    void load() override;

    // Reads the tips of the file at path and shows the first; false when there is no such file
    // or it cannot be read, and then the list is left as it was.
    bool LoadTips(const QString& path);
    void showNextTip();
    void DisplayCurrentTip();

    void cmdNextTip_Click() { showNextTip(); }
    void cmdprecedente_Click();
    void cmdOK_Click();

    const QStringList& tipList() const { return tipList_; }
    int currentTip() const { return currentTip_; }

  private:
    void build();

    QStringList tipList_;
    int currentTip_ = 0;  // 1-based; 0 until a tip is shown
};

}  // namespace zelmor::help
