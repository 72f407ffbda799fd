#include "officewordprocessor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <utility>

namespace zelmor::reports {

namespace {

// The plugin's one entry point (libreofficewriter.cpp).
using CreateWriter = OfficeWordProcessor* (*)(bool hidden);

// Forwards every operation to the back-end in the plugin, which it loads at the first start().
class LoadingWordProcessor final : public OfficeWordProcessor {
  public:
    LoadingWordProcessor(bool hidden, QString path) : hidden_(hidden), path_(std::move(path)) {}

    void start() override {
        load();
        impl_->start();
    }
    void show() override { impl().show(); }
    void addDocument() override { impl().addDocument(); }
    void fontName(const QString& name) override { impl().fontName(name); }
    void fontSize(int points) override { impl().fontSize(points); }
    void type(const QString& text) override { impl().type(text); }
    void appendParagraph() override { impl().appendParagraph(); }
    void paragraphText(const QString& text) override { impl().paragraphText(text); }
    void paragraphFontSize(int points) override { impl().paragraphFontSize(points); }
    void addTable(int rows, int columns) override { impl().addTable(rows, columns); }
    void tableFontSize(int points) override { impl().tableFontSize(points); }
    void cell(int row, int column, const QString& text) override { impl().cell(row, column, text); }
    void autoformat(int format) override { impl().autoformat(format); }
    void addPicture(const QString& path) override { impl().addPicture(path); }
    int countPages() override { return impl().countPages(); }
    void justifyAll() override { impl().justifyAll(); }
    void save(const QString& path) override { impl().save(path); }
    long long bridgeCalls() const override { return impl_ ? impl_->bridgeCalls() : 0; }
    void closeDocument() override {
        if (impl_) impl_->closeDocument();
    }
    void shutdown() override {
        if (impl_) impl_->shutdown();
    }

  private:
    // A plugin that cannot be loaded (not built, or the office's libraries are not installed)
    // leaves the program as it was; the next start() tries again.
    void load() {
        if (impl_) return;
        // The plugin stays loaded for the life of the program (QLibrary does not unload on
        // destruction): the office connection it keeps must outlive every back-end.
        QLibrary library(path_);
        if (!library.load()) throw WordError(WordError::Kind::Missing, library.errorString());
        auto create = reinterpret_cast<CreateWriter>(library.resolve("zelmor_create_writer"));
        if (create == nullptr) throw WordError(WordError::Kind::Missing, library.errorString());
        impl_.reset(create(hidden_));
        if (!impl_)
            throw WordError(
                WordError::Kind::Missing,
                QStringLiteral("%1: the word processor could not be created").arg(path_));
    }
    OfficeWordProcessor& impl() {
        if (!impl_)
            throw WordError(WordError::Kind::NotStarted,
                            QStringLiteral("The word processor has not been started"));
        return *impl_;
    }

    bool hidden_;
    QString path_;
    std::unique_ptr<OfficeWordProcessor> impl_;
};

}  // namespace

std::unique_ptr<OfficeWordProcessor> makeOfficeWordProcessor(bool hidden,
                                                             const QString& pluginPath) {
    QString path = pluginPath;
    if (path.isEmpty()) path = qEnvironmentVariable("ZELMOR_WRITER_PLUGIN");
    if (path.isEmpty()) path = officePluginPath(QCoreApplication::applicationDirPath());
    return std::make_unique<LoadingWordProcessor>(hidden, path);
}

QString officePluginPath(const QString& executableFolder) {
    const QString name = QStringLiteral("libzelmor_writer.so");
    const QDir folder(executableFolder);
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    return QDir::cleanPath(
        folder.filePath(QStringLiteral(ZELMOR_PLUGIN_FROM_BINDIR) + QLatin1Char('/') + name));
}

}  // namespace zelmor::reports
