#pragma once

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include <map>
#include <utility>

namespace korvland::testing {

// A translation from a table of (context, source text) to text, in force while it lives:
// tests see the program in another language without a compiled translation file.
class TableTranslator : public QTranslator {
  public:
    using Table = std::map<std::pair<QString, QString>, QString>;

    explicit TableTranslator(Table table) : mTable(std::move(table)) {
        QCoreApplication::installTranslator(this);
    }
    ~TableTranslator() override { QCoreApplication::removeTranslator(this); }
    TableTranslator(const TableTranslator&) = delete;
    TableTranslator& operator=(const TableTranslator&) = delete;

    QString translate(const char* context, const char* sourceText, const char* = nullptr,
                      int = -1) const override {
        const auto found = mTable.find({QString::fromUtf8(context), QString::fromUtf8(sourceText)});
        return found == mTable.end() ? QString() : found->second;
    }
    bool isEmpty() const override { return false; }

  private:
    Table mTable;
};

} // namespace korvland::testing
