// The document's data files: Open, Save, Save as and Delete, and the current file, for both
// working windows.
//
// One data file holds the model and the title page. Open shows the file and nothing else: both
// windows start afresh and then show what was read. A file read whole becomes the current file;
// one that breaks part-way is shown as far as it was read and leaves no current file, so that
// the next save asks where and what could not be read is not overwritten. A save writes the
// whole file or nothing, and a failure says why.
#pragma once

#include "model/datafile.h"
#include "model/fileio.h"
#include "model/model.h"

#include <QString>

namespace zelmor::shared {

class ModZelmor;

// The window that shows the model and runs its procedure (the data-entry window).
class ModelHolder {
  public:
    virtual ~ModelHolder() = default;
    // Every control back to what it showed at load, the model empty.
    virtual void startAfresh() = 0;
    // Shows what was read of the data file `path`, from that state.
    virtual void showFile(const model::DataFileContent& content, const QString& path) = 0;
};

class DocumentFiles {
  public:
    explicit DocumentFiles(ModZelmor& shared) : shared_(&shared) {}

    // Data files are a few hundred bytes; anything far larger is not one of them.
    static constexpr qint64 kMaxDataFile = 1 << 20;

    // The file the document was last read from whole or saved to; empty: none.
    const QString& current() const;

    // Reads a data file into both windows, the data-entry window loaded (hidden) when closed. A
    // file that cannot be read at all changes nothing; every failure is told to the user.
    enum class OpenResult { Unread, Partial, Whole };
    OpenResult open(const QString& path, const QString& window);

    // The file a save without a dialog writes from `window`, there being a current file: the
    // current file; for the data-entry window, the name last chosen in its own save or delete
    // dialog, or of the file it opened, unless another window has opened or saved a file since.
    QString saveTarget(const QString& window) const;
    // The name the user chose in `window`'s save or delete dialog.
    void chosenInDialog(const QString& window, const QString& path);

    // Writes the document into `path`, which then becomes the current file. A failure, or a
    // refusal when some characters could not be written, is told to the user; false then.
    bool save(const QString& path);
    // Writes a model and title page into `path`, asking first when some characters cannot be
    // written in the file's code page; false, told to the user, when not written. `written`
    // then says what the file holds.
    bool write(const QString& path, const model::ModelData& model, const model::TitlePage& title,
               model::FileStamp* written = nullptr);
    bool remove(const QString& path);

    // The data-entry window is loaded or unloaded, or a new document begins: no model, no file.
    void startModelAfresh();

  private:
    void tell(const QString& text);

    ModZelmor* shared_;
    QString menuChoice_;  // the data-entry window's last dialog choice or opened file
};

}  // namespace zelmor::shared
