#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace quadrivium {

class CDateEdit;
class CQuadriviumDoc;
class CTimeEdit;

/// "New" / "Edit File": enters a new person (personId 0) or edits one. On
/// OK the person is added or rewritten and becomes the document's current
/// person ("LastID" its ID); input that cannot be read, a refused duplicate
/// and database errors keep the dialog open with the entries.
class CPersonDialog : public QDialog {
    Q_OBJECT
public:
    CPersonDialog(CQuadriviumDoc &doc, const QString &personsDbPath, int personId /*0 = add*/,
                  QWidget *parent = nullptr);

    /// The group a new person is filed in unless the user types another:
    /// the group last selected in the person selection dialog. Kept for the
    /// life of the process.
    static QString defaultGroupName();
    static void setDefaultGroupName(const QString &name);

    bool isEditMode() const { return m_personId != 0; }

    void accept() override;

private:
    void createFields();
    void createLayout();
    void fillGroups();
    void connectFields();
    void updateOk();
    void loadPerson();
    /// The time field's text and designator as the parser reads them;
    /// empty when no time is typed.
    QString timeTextToParse() const;

    CQuadriviumDoc &m_doc;
    QString m_path;
    int m_personId;
    bool m_twelveHourClock;
    QListWidget *m_groups = nullptr;
    QLineEdit *m_lastName = nullptr;
    QLineEdit *m_firstName = nullptr;
    QLineEdit *m_group = nullptr;
    CDateEdit *m_date = nullptr;
    CTimeEdit *m_time = nullptr;
    QLineEdit *m_designator = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace quadrivium
