#include "numbering/impostazione.h"

#include "support/kioskfixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// Line k (1..11, 11 the single queue) starts with the current number 100 + k and the
// initial number 200 + k. Damaged and broken archives are tried in tst_gestionetotem and
// robustness/archivefaults.
class TestImpostazione : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KioskFixture> office_;
    std::unique_ptr<Impostazione> screen_;

    static int currentBox(int line) { return line == Office::LineCount ? 0 : line; }
    static int initialBox(int line) { return line == Office::LineCount ? 22 : line + 10; }
    QLineEdit *box(int index) const
    {
        return named<QLineEdit>(*screen_, QStringLiteral("Modifnr(%1)").arg(index));
    }
    void press(const QString &name) { named<QPushButton>(*screen_, name)->click(); }
    // Both tables, the current numbers of lines 1..11 first.
    QStringList stored() const
    {
        QStringList values;
        for (int k = 1; k <= 2 * Office::LineCount; ++k)
            values << office_->archives.firstValue(
                u"Totem.mdb"_qs,
                k > Office::LineCount ? u"NumerazioneIniziale"_qs : u"Numerazione"_qs,
                u"P%1"_qs.arg(k > Office::LineCount ? k - 1 : k));
        return values;
    }
    // The only message shown, as title|text.
    QString told() const
    {
        const QList<ScriptedDialogs::Message> &shown = office_->dialogs.messages;
        return shown.size() == 1 ? shown[0].title + u'|' + shown[0].text
                                 : u"<%1 messages>"_qs.arg(shown.size());
    }

private slots:
    void init()
    {
        office_ = std::make_unique<KioskFixture>();
        QVERIFY(office_->isValid());
        QStringList current, initial;
        for (int line = 1; line <= Office::LineCount; ++line) {
            current << u"P%1 = %2"_qs.arg(line).arg(line == 5 ? 123456 : 100 + line);
            initial << u"P%1 = %2"_qs.arg(line + 10).arg(200 + line);
        }
        QVERIFY(office_->archives.run(
            u"Totem.mdb"_qs, {u"UPDATE Numerazione SET "_qs + current.join(u','),
                              u"UPDATE NumerazioneIniziale SET "_qs + initial.join(u',')}));
        screen_ = std::make_unique<Impostazione>(office_->state, office_->dialogs);
        // Each frame from its own table; six digits come from the public screen after a long
        // day, and loading must not cut them.
        QCOMPARE(box(5)->text(), u"123456"_qs);
        for (int line = 1; line <= Office::LineCount; ++line)
            QCOMPARE(box(initialBox(line))->text(), QString::number(200 + line));
        QCOMPARE(box(0)->text(), u"111"_qs);
        QVERIFY(!box(21) && office_->dialogs.messages.isEmpty());
    }

    void cleanup() { screen_.reset(); }

    // Every box edited; a row's button stores that row only, "Salva" every initial number;
    // an emptied box is stored and shown as 0.
    void savesStoreTheirBoxesOnly_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("emptied"); // a box, or -1
        QTest::addColumn<QString>("told");
        const QString row = u"Numero Modificato !"_qs;
        QTest::newRow("counter 1, emptied") << u"Na1(1)"_qs << 1 << row;
        QTest::newRow("counter 10") << u"Na1(10)"_qs << -1 << row;
        QTest::newRow("single queue, emptied") << u"Na1(0)"_qs << 0 << row;
        QTest::newRow("initial numbers") << u"Salvain"_qs << 13 << u"Numerazione impostata !"_qs;
    }

    void savesStoreTheirBoxesOnly()
    {
        QFETCH(QString, button);
        QFETCH(int, emptied);
        QFETCH(QString, told);
        QStringList expected = stored();
        for (int line = 1; line <= Office::LineCount; ++line) {
            for (const int index : {currentBox(line), initialBox(line)}) {
                const QString typed = index == emptied ? QString() : QString::number(500 + index);
                box(index)->setText(typed);
                if (button == u"Salvain" ? index == initialBox(line)
                                         : button == u"Na1(%1)"_qs.arg(index))
                    expected[index == initialBox(line) ? line + 10 : line - 1] =
                        typed.isEmpty() ? u"0"_qs : typed;
            }
        }
        press(button);
        QCOMPARE(stored(), expected);
        if (emptied >= 0)
            QCOMPARE(box(emptied)->text(), u"0"_qs);
        QCOMPARE(this->told(), u"Conferma|"_qs + told);
    }

    void resetAsksAndTakesTheInitialBoxesAsTheyStand()
    {
        const QStringList before = stored();
        QStringList expected = before;
        for (int line = 1; line <= Office::LineCount; ++line)
            expected[line - 1] = QString::number(200 + line);
        expected[1] = u"999"_qs;
        expected[10] = u"0"_qs;
        office_->dialogs.answers << Dialogs::Answer::No << Dialogs::Answer::Yes;
        box(12)->setText(u"0999"_qs); // edited, never saved
        box(22)->clear();
        press(u"PB1(1)"_qs);
        QCOMPARE(stored(), before);
        QCOMPARE(box(22)->text(), QString()); // not turned into "0" either
        QVERIFY(office_->dialogs.messages.isEmpty());

        press(u"PB1(1)"_qs);
        QCOMPARE(office_->dialogs.questions.value(1).text,
                 u"Portiamo tutti i Numeri alla impostazione Iniziale ?"_qs);
        QCOMPARE(office_->dialogs.questions.value(1).title, u"Richiesta"_qs);
        QCOMPARE(stored(), expected); // NumerazioneIniziale keeps P12 = 202
        for (int line = 1; line <= Office::LineCount; ++line)
            QCOMPARE(box(currentBox(line))->text(), box(initialBox(line))->text());
        QCOMPARE(box(2)->text(), u"0999"_qs); // the text as typed, not as stored
        QCOMPARE(told(), u"Conferma|Impostazioni Iniziali ripristinate !"_qs);
    }
};

QTEST_MAIN(TestImpostazione)
#include "tst_impostazione.moc"
