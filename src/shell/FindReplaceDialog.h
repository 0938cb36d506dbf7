// The find and replace dialog as users know it from word processors: what to
// find, what to put instead, match case and whole words, and the buttons
// "查找下一个", "替换", "全部替换". It stays open beside the text and only
// emits what was asked; the report view searches.
#pragma once

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPushButton;

class FindReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindReplaceDialog(QWidget* parent = nullptr);

    // Find only, or find and replace; the text to find starts as given.
    void open(bool replace, const QString& text);
    QString text() const;
    QTextDocument::FindFlags flags() const;

  signals:
    void findNext(const QString& text, QTextDocument::FindFlags flags);
    void replaceNext(const QString& text, const QString& with, QTextDocument::FindFlags flags);
    void replaceAll(const QString& text, const QString& with, QTextDocument::FindFlags flags);

  private:
    QLineEdit* m_find;
    QLineEdit* m_with;
    QCheckBox* m_case;
    QCheckBox* m_words;
    QPushButton* m_replace;
    QPushButton* m_replaceAll;
    QWidget* m_withRow;
};
