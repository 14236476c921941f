// The options dialog: the word it starts from, the "All" logic, the OK
// button and what OK and Cancel store.

#include "output/optionsdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace quadrivium;

Q_DECLARE_METATYPE(OptionsDialogForm)

namespace {

QCheckBox *boxOf(COptionsDialog &dialog, int id)
{
    auto *box = dialog.findChild<QCheckBox *>(QString::number(id));
    if (!box)
        qFatal("no check box %d", id);
    return box;
}

QPushButton *okOf(COptionsDialog &dialog)
{
    return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
}

// The ticked boxes as one word, read from the widgets.
std::uint32_t shownWord(COptionsDialog &dialog)
{
    std::uint32_t word = 0;
    for (const OptionBox &box : dialog.form().boxes)
        if (boxOf(dialog, box.id)->isChecked())
            word |= box.bit;
    return word;
}

} // namespace

class TestOptionsDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QSettings> m_settings;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_settings = std::make_unique<QSettings>(m_dir->filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    }

    void cleanup()
    {
        m_settings.reset();
        m_dir.reset();
    }

    void allLogic_data()
    {
        QTest::addColumn<OptionsDialogForm>("form");
        QTest::addColumn<QVariant>("stored"); // invalid: no value yet
        QTest::addColumn<std::uint32_t>("shown");
        QTest::addColumn<bool>("allTicked");
        QTest::addColumn<std::uint32_t>("afterAll"); // the word after one click on "All"
        QTest::addColumn<bool>("okAfterAll");

        QTest::newRow("chart first use") << ChartPrintOptions() << QVariant() << 0x3FFu << true << 0u << false;
        QTest::newRow("pyramid first use") << PyramidPrintOptions() << QVariant() << 0x2003u << true << 0u << false;
        QTest::newRow("biorhythm first use") << BiorhythmPrintOptions() << QVariant() << 0x1C03u << true << 0u << false;
        QTest::newRow("unreadable value") << PyramidPrintOptions() << QVariant(QStringLiteral("x")) << 0x2003u << true
                                          << 0u << false;
        QTest::newRow("partly ticked") << ChartPrintOptions() << QVariant(0x21u) << 0x21u << false << 0x3FFu << true;
        QTest::newRow("stored zero") << BiorhythmPrintOptions() << QVariant(0u) << 0u << false << 0x1C03u << true;
        // A bit without a box stays in the word but does not count as a
        // chosen section.
        QTest::newRow("bit outside the mask") << PyramidPrintOptions() << QVariant(0x2003u | 0x4u) << 0x2003u << true
                                              << 0x4u << false;
    }

    void allLogic()
    {
        QFETCH(OptionsDialogForm, form);
        QFETCH(QVariant, stored);
        QFETCH(std::uint32_t, shown);
        QFETCH(bool, allTicked);
        QFETCH(std::uint32_t, afterAll);
        QFETCH(bool, okAfterAll);
        if (stored.isValid())
            m_settings->setValue(form.valueName, stored);

        COptionsDialog dialog(*m_settings, form);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Print"));
        QCOMPARE(shownWord(dialog), shown);
        QCOMPARE(boxOf(dialog, kAllBoxId)->isChecked(), allTicked);
        QCOMPARE(okOf(dialog)->isEnabled(), shown != 0);

        QTest::keyClick(boxOf(dialog, kAllBoxId), Qt::Key_Space);
        QCOMPARE(dialog.options(), afterAll);
        QCOMPARE(shownWord(dialog), afterAll & form.mask);
        QCOMPARE(boxOf(dialog, kAllBoxId)->isChecked(), (afterAll & form.mask) == form.mask);
        QCOMPARE(okOf(dialog)->isEnabled(), okAfterAll);
    }

    // Ticking the last missing box ticks "All", clearing one clears it; OK
    // stores the word, Cancel leaves the stored word alone.
    void boxesAndStoring()
    {
        const OptionsDialogForm form = BiorhythmPrintOptions();
        m_settings->setValue(form.valueName, 0x1C02u);
        {
            COptionsDialog dialog(*m_settings, form);
            dialog.show();
            QVERIFY(!boxOf(dialog, kAllBoxId)->isChecked());
            QTest::keyClick(boxOf(dialog, 1089), Qt::Key_Space);
            QVERIFY(boxOf(dialog, kAllBoxId)->isChecked());
            QTest::keyClick(boxOf(dialog, 1102), Qt::Key_Space);
            QVERIFY(!boxOf(dialog, kAllBoxId)->isChecked());
            QCOMPARE(dialog.options(), 0x1403u);
            dialog.reject();
        }
        QCOMPARE(LoadOptions(*m_settings, form.valueName, form.mask), 0x1C02u);
        {
            COptionsDialog dialog(*m_settings, form);
            dialog.show();
            QTest::keyClick(boxOf(dialog, 1101), Qt::Key_Space);
            QTest::mouseClick(okOf(dialog), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QSettings reread(m_settings->fileName(), QSettings::IniFormat);
        QCOMPARE(LoadOptions(reread, form.valueName, form.mask), 0x1802u);
    }
};

QTEST_MAIN(TestOptionsDialog)
#include "tst_optionsdialog.moc"
