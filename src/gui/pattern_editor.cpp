#include "gui/pattern_editor.h"

#include "core/style/pattern.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QMimeData>

namespace orolith::gui {

PatternEditor::PatternEditor(QWidget* parent) : QPlainTextEdit(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabChangesFocus(true);
}

QString PatternEditor::patternText() const {
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void PatternEditor::setPatternText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

namespace {

// The character a key stands for, as the pattern filter sees it: Enter is 13, Backspace 8.
char keyCharacter(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return '\r';
    if (event.key() == Qt::Key_Backspace)
        return '\b';
    const QString text = event.text();
    if (text.size() != 1 || text.at(0).unicode() > 0x7F)
        return '\x7F';
    return static_cast<char>(text.at(0).unicode());
}

bool isEditingShortcut(const QKeyEvent& event) {
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

void PatternEditor::keyPressEvent(QKeyEvent* event) {
    const bool typesCharacter = !event->text().isEmpty() || event->key() == Qt::Key_Return ||
                                event->key() == Qt::Key_Enter || event->key() == Qt::Key_Backspace;
    if (!typesCharacter || event->key() == Qt::Key_Delete || isEditingShortcut(*event)) {
        // Cursor movement, Delete, copy and paste shortcuts: the editor's own handling.
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    emit edited();
    if (acceptPatternKey(keyCharacter(*event)))
        QPlainTextEdit::keyPressEvent(event);
    else
        event->accept();
}

void PatternEditor::insertFromMimeData(const QMimeData* source) {
    QString kept;
    for (const QChar c : source->text()) {
        if (c == QLatin1Char('0') || c == QLatin1Char('1') || c == QLatin1Char('\n'))
            kept.append(c);
    }
    if (kept.isEmpty())
        return;
    emit edited();
    insertPlainText(kept);
}

} // namespace orolith::gui
