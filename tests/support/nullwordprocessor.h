// A word processor that does nothing: tests derive from it and override what they watch.
#pragma once

#include "reports/wordprocessor.h"

namespace zelmor::testsupport {

class NullWordProcessor : public reports::WordProcessor {
  public:
    void start() override {}
    void show() override {}
    void addDocument() override {}
    void fontName(const QString&) override {}
    void fontSize(int) override {}
    void type(const QString&) override {}
    void appendParagraph() override {}
    void paragraphText(const QString&) override {}
    void paragraphFontSize(int) override {}
    void addTable(int, int) override {}
    void tableFontSize(int) override {}
    void cell(int, int, const QString&) override {}
    void autoformat(int) override {}
    void addPicture(const QString&, const reports::PictureWords&) override {}
    int countPages() override { return 1; }
    void justifyAll() override {}
    QString save(const QString& path) override { return path; }
    void describe(const QString&, const QString&) override {}
    std::optional<int> finishedPages() override { return std::nullopt; }
    void typeset(const reports::Typesetting&) override {}
    void replaceLast(const QString&, const QString&) override {}
    void exportPdf(const QString&) override {}
    void setLateFailureHandler(std::function<void(const reports::WordError&)>) override {}
    void prepare() override {}
};

}  // namespace zelmor::testsupport
