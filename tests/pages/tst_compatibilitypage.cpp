// The compatibility page: the second person is chosen on the page and kept
// for each current person across a restart; the hot spots show the texts of
// the relations and of the lines the two complete together.

#include "pages/compatibilitypage.h"
#include "pages/compatibilityprintjob.h"
#include "pages/quadriviumdoc.h"

#include "engine/corenumbers.h"
#include "output/pagerecorder.h"
#include "store/location.h"
#include "store/personname.h"
#include "store/personstore.h"
#include "store/textstore.h"

#include <QComboBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace quadrivium;

class TestCompatibilityPage : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_lena = 0;
    int m_kaethe = 0;

    /// A page on a document whose current person is stored person `id`, as
    /// the window makes it after a start.
    struct Session {
        CQuadriviumDoc document;
        std::unique_ptr<CCompatibilityPage> page;
    };
    std::unique_ptr<Session> start(int id)
    {
        auto s = std::make_unique<Session>();
        const auto row = PersonStore(PersonsDatabasePath()).find(id);
        s->document.settings().set(DocumentSettings::LastID, id);
        s->page = std::make_unique<CCompatibilityPage>(s->document);
        s->page->setClock([] { return CivilDate{2026, 12, 7}; });
        s->document.setCurrentPerson((*row)->displayName(), (*row)->born, (*row)->time);
        s->page->refill();
        return s;
    }

    /// Chooses a person in the page's list with the keyboard.
    static bool choose(CCompatibilityPage &page, const QString &name)
    {
        auto *list = page.findChild<QComboBox *>();
        for (int i = 0; list && i < list->count(); ++i) {
            if (list->currentText().startsWith(name))
                return true;
            QTest::keyClick(list, Qt::Key_Down);
        }
        return list && list->currentText().startsWith(name);
    }

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("config")));
        QCoreApplication::setOrganizationName(QStringLiteral("QuadriviumTest"));
        const QString persons = m_dir.filePath(QStringLiteral("persons.mdb"));
        QVERIFY(CreatePersonsDatabase(persons).ok());
        SetPersonsDatabasePath(persons);
        const PersonStore store(persons);
        m_lena = store.addPerson({QStringLiteral("Vogel"), QStringLiteral("Lena"), DateTimeValue::fromFields(1951, 3, 6),
                                  DateTimeValue(), QString()})->id;
        m_kaethe = store.addPerson({QStringLiteral("Groß"), QStringLiteral("Käthe"),
                                    DateTimeValue::fromFields(1980, 9, 29), DateTimeValue(), QString()})->id;
    }

    void secondPersonKeptAcrossRestart()
    {
        {
            auto first = start(m_lena);
            first->page->show();
            QVERIFY(!first->page->compatibility());
            QVERIFY(choose(*first->page, QStringLiteral("Käthe Groß")));
            QCOMPARE(first->document.partnerName(), QStringLiteral("Käthe Groß"));
            QVERIFY(first->page->compatibility());
        }
        // A new run: the same current person finds her second person again.
        auto again = start(m_lena);
        QCOMPARE(again->document.partnerName(), QStringLiteral("Käthe Groß"));
        QVERIFY(again->page->compatibility());

        // Each person keeps their own: Käthe has chosen nobody yet.
        auto other = start(m_kaethe);
        QVERIFY(!other->document.hasPartner());
        QVERIFY(!other->page->compatibility());
    }

    // Regression: the page counted both names under the default rules
    // whatever the settings said, unlike the chart and the report. Under
    // "accents as base letters" the É of Émile counts as an E.
    void countsUnderTheRulesInForce()
    {
        auto s = start(m_lena);
        const QString emile = QStringLiteral("Émile Lyon");
        const DateTimeValue born = DateTimeValue::fromFields(1980, 9, 29);
        s->document.setPartner(emile, born, DateTimeValue());
        QVERIFY(s->page->compatibility());
        const auto fateOfB = [&] { return s->page->compatibility()->pairs[2].b; };
        const int ignored = fateOfB();
        QCOMPARE(s->page->notes(), QStringList{QStringLiteral("Émile Lyon: Letters not counted: É")});
        s->document.setLetterRules({AccentRule::Base, YRule::Consonant});
        QVERIFY(s->page->compatibility());
        QVERIFY(fateOfB() != ignored);
        QCOMPARE(s->page->notes(), QStringList{QStringLiteral(
                                       "Rules: accented letters as their base letter, Y always a consonant")});
        const auto base = FillCoreNumbers(EngineName(emile, AccentRule::Base), born,
                                          [] { return CivilDate{2026, 12, 7}; }, s->document.letterRules());
        QCOMPARE(fateOfB(), base->numbers.core.m_nFate);

        // The report's graphic page states the rules and whose letters
        // were left out.
        const auto subject = ReportSubjectOf(s->document, [] { return CivilDate{2026, 12, 7}; });
        QVERIFY(subject && subject->partner);
        CCompatibilityPrintJob job(PrintSettings(), 0x1, *subject,
                                   qEnvironmentVariable("QUADRIVIUM_BINARY_DIR") + QStringLiteral("/bin/Quadrivium.mdb"));
        QVERIFY(job.Compose(QSize(2100, 2970)));
        CRecordedPage page;
        job.PrintPage(page, 1);
        const QStringList texts = page.texts();
        QVERIFY2(texts.contains(QStringLiteral("Rules: accented letters as their base letter, Y always a consonant")),
                 qPrintable(texts.join(QLatin1Char('|'))));
    }

    void hotSpotsShowTheirTexts()
    {
        auto s = start(m_lena);
        s->document.setPartner(QStringLiteral("Käthe Groß"), DateTimeValue::fromFields(1980, 9, 29), DateTimeValue());
        QVERIFY(s->page->compatibility());
        using Page = CCompatibilityPage;
        QCOMPARE(s->page->textOf(Page::kTitleSpot), std::make_pair(kPartnershipTable, 1));
        // Numbers of Fate 8 and 8: natural partners.
        QCOMPARE(s->page->textOf(Page::kRelationSpot + 2),
                 std::make_pair(kPartnershipTable, RelationNumberID(CompareRole::Fate, Relation::Natural)));
        // Lena and Käthe complete 2-5-8 and 1-2-3 together, and nothing else.
        QCOMPARE(s->page->textOf(Page::kLineSpot), std::make_pair(kPartnershipTable, 104));
        QCOMPARE(s->page->textOf(Page::kLineSpot + 1), std::make_pair(kPartnershipTable, 105));
        QCOMPARE(s->page->textOf(Page::kLineSpot + 2).first, -1);
    }
};

QTEST_MAIN(TestCompatibilityPage)
#include "tst_compatibilitypage.moc"
