#pragma once
// The fill pattern editor: rows of "0" and "1" in a fixed-pitch font. Typed characters other
// than 0, 1, Enter and Backspace are dropped; pasted text keeps only 0, 1 and line breaks.
// Every key typed into it (kept or dropped) and every paste counts as an edit.

#include <QPlainTextEdit>

namespace orolith::gui {

class PatternEditor : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit PatternEditor(QWidget* parent = nullptr);

    // The text with CR LF line breaks, as the pattern files and the TYP writer hold it.
    QString patternText() const;
    void setPatternText(const QString& text);

  signals:
    void edited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace orolith::gui
