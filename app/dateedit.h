#pragma once

#include <QLineEdit>

namespace quadrivium {

/// Base of the masked entry fields: a line edit in overwrite mode whose
/// typed characters go through a typing rule instead of the line edit's own
/// editing. Backspace moves the caret (and any selection) one place left
/// without deleting; Delete, cut, paste and undo are swallowed, so the text
/// only ever changes through the rule or setText().
class CMaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CMaskedEdit(QWidget *parent = nullptr);

protected:
    /// Whether the field takes `ch` at all; other characters are dropped.
    virtual bool accepts(QChar ch) const = 0;
    /// Types `ch` at `position` of `text`; returns the new caret position.
    virtual int insert(QString &text, QChar ch, int position) const = 0;

    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

/// The date field: digits and the date separator of the locale, the day or
/// month kept in range, separators put in by themselves and the year held
/// within 1600..2100 (see store/entryrules.h). Enter sends dateEntered().
class CDateEdit : public CMaskedEdit {
    Q_OBJECT
public:
    explicit CDateEdit(QWidget *parent = nullptr);

    /// Whether the text holds a whole date (ten characters).
    bool IsComplete() const;

signals:
    /// Enter was pressed in the field.
    void dateEntered();

protected:
    bool accepts(QChar ch) const override;
    int insert(QString &text, QChar ch, int position) const override;
    void keyPressEvent(QKeyEvent *event) override;
};

/// The time field: digits, the time separator and the letters A, M and P;
/// hour and minute kept in range, on a 12-hour clock followed by a blank and
/// AM or PM (see store/entryrules.h).
class CTimeEdit : public CMaskedEdit {
    Q_OBJECT
public:
    explicit CTimeEdit(QWidget *parent = nullptr);

protected:
    bool accepts(QChar ch) const override;
    int insert(QString &text, QChar ch, int position) const override;
};

} // namespace quadrivium
