#include "numbering/impostazione.h"

#include "core/kioskstate.h"
#include "support/archivefixture.h"
#include "support/scripteddialogs.h"

#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

const QString totem = QStringLiteral("Totem.mdb");
const QString current = QStringLiteral("Numerazione");
const QString initial = QStringLiteral("NumerazioneIniziale");
const QString modified = QStringLiteral("Information|Conferma|Numero Modificato !");
const QString saved = QStringLiteral("Information|Conferma|Numerazione impostata !");
const QString restored =
    QStringLiteral("Information|Conferma|Impostazioni Iniziali ripristinate !");
const QString failed = QStringLiteral("Critical|ATTENZIONE");

// The boxes of the current and of the initial number of numbering line 1..11.
int currentBox(int line)
{
    return line == 11 ? 0 : line;
}

int initialBox(int line)
{
    return line == 11 ? 22 : line + 10;
}

} // namespace

class TestImpostazione : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void loadFillsEachFrameFromItsOwnTable();
    void digitFilter_data();
    void digitFilter();
    void rowButtonStoresThatRowOnly_data();
    void rowButtonStoresThatRowOnly();
    void initialNumbersAreSavedAllAtOnce();
    void resetAsksAndTakesTheInitialBoxesAsTheyStand();
    void aBoxTakingTheFocusIsPreparedForOvertyping();
    void archiveFailureIsReportedAndScreenStaysUsable_data();
    void archiveFailureIsReportedAndScreenStaysUsable();

private:
    static QLineEdit *box(QWidget &screen, int index)
    {
        return screen.findChild<QLineEdit *>(QStringLiteral("Modifnr(%1)").arg(index));
    }
    static void press(QWidget &screen, const QString &name)
    {
        screen.findChild<QPushButton *>(name)->click();
    }
    QString stored(const QString &table, int field) const
    {
        return fixture_->firstValue(totem, table, QStringLiteral("P%1").arg(field));
    }
    // Both tables, current numbers of lines 1..11 first: what an operation wrote.
    QStringList storedNumbers() const
    {
        QStringList values;
        for (int line = 1; line <= 11; ++line)
            values << stored(current, line);
        for (int line = 1; line <= 11; ++line)
            values << stored(initial, line + 10);
        return values;
    }
    // The messages shown, as kind|title|text (only kind|title for a failure).
    QStringList shown() const
    {
        QStringList list;
        for (const ScriptedDialogs::Message &m : dialogs_.messages)
            list << (m.kind == Dialogs::Kind::Critical ? failed
                     : m.kind == Dialogs::Kind::Information
                         ? u"Information|"_qs + m.title + u'|' + m.text
                         : m.text);
        return list;
    }

    std::unique_ptr<ArchiveFixture> fixture_;
    KioskState state_;
    ScriptedDialogs dialogs_;
};

void TestImpostazione::init()
{
    fixture_ = std::make_unique<ArchiveFixture>();
    QVERIFY(fixture_->isValid());
    state_.archiveFolder = fixture_->folder();
    dialogs_ = ScriptedDialogs();
    // Line k has the current number 100 + k and the initial number 200 + k.
    QStringList currentSet;
    QStringList initialSet;
    for (int line = 1; line <= 11; ++line) {
        currentSet << QStringLiteral("P%1 = %2").arg(line).arg(100 + line);
        initialSet << QStringLiteral("P%1 = %2").arg(line + 10).arg(200 + line);
    }
    QVERIFY(fixture_->run(totem, {u"UPDATE Numerazione SET "_qs + currentSet.join(u','),
                                  u"UPDATE NumerazioneIniziale SET "_qs + initialSet.join(u',')}));
}

void TestImpostazione::loadFillsEachFrameFromItsOwnTable()
{
    // Six digits come from the public screen after a long day; loading must not cut them.
    QVERIFY(fixture_->run(totem, {u"UPDATE Numerazione SET P5 = 123456"_qs}));

    Impostazione screen(state_, dialogs_);

    for (int line = 1; line <= 11; ++line) {
        const QString expected = line == 5 ? u"123456"_qs : QString::number(100 + line);
        QCOMPARE(box(screen, currentBox(line))->text(), expected);
        QCOMPARE(box(screen, initialBox(line))->text(), QString::number(200 + line));
    }
    QVERIFY(!box(screen, 21));
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestImpostazione::digitFilter_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("paste"); // through the clipboard, else typed
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("after");

    QTest::newRow("letters, signs, space, point")
        << 3 << QString() << false << u"1a-2 +b3.4"_qs << u"1234"_qs;
    QTest::newRow("sixth digit refused") << 22 << u"9999"_qs << false << u"12"_qs << u"99991"_qs;
    QTest::newRow("paste of digits") << 0 << u"1"_qs << true << u"42"_qs << u"142"_qs;
    QTest::newRow("paste with a letter") << 12 << QString() << true << u"12a45"_qs << QString();
    QTest::newRow("paste beyond five") << 12 << u"123"_qs << true << u"4567"_qs << u"123"_qs;
}

void TestImpostazione::digitFilter()
{
    QFETCH(int, index);
    QFETCH(QString, before);
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, after);

    Impostazione screen(state_, dialogs_);
    QLineEdit *edit = box(screen, index);
    edit->setText(before);
    if (!paste) {
        QTest::keyClicks(edit, input);
        QCOMPARE(edit->text(), after);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), after.chopped(1));
        return;
    }
    QGuiApplication::clipboard()->setText(input);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), after);
}

// An emptied box is stored, and shown, as 0.
void TestImpostazione::rowButtonStoresThatRowOnly_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("counter 1, emptied") << 1 << QString() << u"0"_qs;
    QTest::newRow("counter 10") << 10 << u"510"_qs << u"510"_qs;
    QTest::newRow("single queue, emptied") << 11 << QString() << u"0"_qs;
}

void TestImpostazione::rowButtonStoresThatRowOnly()
{
    QFETCH(int, line);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QStringList expected = storedNumbers();
    expected[line - 1] = kept;

    Impostazione screen(state_, dialogs_);
    // Every box edited; only the pressed row may reach the archive.
    for (int l = 1; l <= 11; ++l) {
        box(screen, currentBox(l))->setText(QString::number(500 + l));
        box(screen, initialBox(l))->setText(QString::number(600 + l));
    }
    box(screen, currentBox(line))->setText(typed);
    press(screen, QStringLiteral("Na1(%1)").arg(currentBox(line)));

    QCOMPARE(storedNumbers(), expected);
    QCOMPARE(box(screen, currentBox(line))->text(), kept);
    QCOMPARE(shown(), QStringList{modified});
    QCOMPARE(box(screen, currentBox(line % 11 + 1))->text(), QString::number(500 + line % 11 + 1));
}

void TestImpostazione::initialNumbersAreSavedAllAtOnce()
{
    QStringList expected = storedNumbers();
    expected[11] = u"301"_qs;
    expected[13] = u"0"_qs;
    expected[20] = u"310"_qs;
    expected[21] = u"311"_qs;

    Impostazione screen(state_, dialogs_);
    box(screen, 11)->setText(u"301"_qs);
    box(screen, 13)->clear();
    box(screen, 20)->setText(u"310"_qs);
    box(screen, 22)->setText(u"311"_qs);
    box(screen, 2)->setText(u"9"_qs);
    press(screen, u"Salvain"_qs);

    QCOMPARE(storedNumbers(), expected);
    QCOMPARE(box(screen, 13)->text(), u"0"_qs);
    QCOMPARE(box(screen, 2)->text(), u"9"_qs);
    QCOMPARE(shown(), QStringList{saved});
}

void TestImpostazione::resetAsksAndTakesTheInitialBoxesAsTheyStand()
{
    const QStringList before = storedNumbers();
    QStringList expected = before;
    for (int line = 1; line <= 11; ++line)
        expected[line - 1] = QString::number(200 + line);
    expected[1] = u"999"_qs;

    dialogs_.answers << Dialogs::Answer::No << Dialogs::Answer::Yes;
    Impostazione screen(state_, dialogs_);
    screen.show();
    box(screen, 12)->setText(u"0999"_qs); // edited, never saved
    box(screen, 13)->clear();
    press(screen, u"PB1(1)"_qs);
    QCOMPARE(storedNumbers(), before);
    QCOMPARE(box(screen, 2)->text(), u"102"_qs);
    QCOMPARE(box(screen, 13)->text(), QString()); // not turned into "0" either
    QVERIFY(dialogs_.messages.isEmpty());

    box(screen, 13)->setText(u"203"_qs);
    box(screen, 22)->clear();
    expected[10] = u"0"_qs;
    press(screen, u"PB1(1)"_qs);
    QCOMPARE(dialogs_.questions.size(), 2);
    QCOMPARE(dialogs_.questions[1].text,
             u"Portiamo tutti i Numeri alla impostazione Iniziale ?"_qs);
    QCOMPARE(dialogs_.questions[1].title, u"Richiesta"_qs);
    QCOMPARE(storedNumbers(), expected); // NumerazioneIniziale keeps P12 = 202
    for (int line = 1; line <= 10; ++line)
        QCOMPARE(box(screen, currentBox(line))->text(), box(screen, initialBox(line))->text());
    QCOMPARE(box(screen, 2)->text(), u"0999"_qs); // the text as typed, not as stored
    QCOMPARE(box(screen, 0)->text(), u"0"_qs);
    QCOMPARE(shown(), QStringList{restored});

    // Closing writes nothing more.
    box(screen, 4)->setText(u"44"_qs);
    press(screen, u"PB1(0)"_qs);
    QVERIFY(!screen.isVisible());
    QCOMPARE(storedNumbers(), expected);
}

void TestImpostazione::aBoxTakingTheFocusIsPreparedForOvertyping()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(u"copiato"_qs);
    Impostazione screen(state_, dialogs_);
    screen.show();
    // Opening lands in box 1.
    QCOMPARE(clipboard->text(), QString());
    QCOMPARE(box(screen, 1)->selectedText(), u"101"_qs);
    QVERIFY(QTest::qWaitForWindowActive(&screen));

    // A click places the cursor on its press; the box is selected all the same.
    clipboard->setText(u"copiato"_qs);
    QLineEdit *clicked = box(screen, 9);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, QPoint(4, clicked->height() / 2));
    QCOMPARE(QApplication::focusWidget(), clicked);
    QCOMPARE(clipboard->text(), QString());
    QCOMPARE(clicked->selectedText(), u"109"_qs);

    // Tab goes on to the row's button, then to the next row's box.
    clipboard->setText(u"copiato"_qs);
    QTest::keyClick(&screen, Qt::Key_Tab);
    QTest::keyClick(&screen, Qt::Key_Tab);
    QLineEdit *tabbed = box(screen, 10);
    QCOMPARE(QApplication::focusWidget(), tabbed);
    QCOMPARE(clipboard->text(), QString());
    QCOMPARE(tabbed->selectedText(), u"110"_qs);

    // Typing overwrites; Enter in a box presses no row's button.
    QTest::keyClicks(tabbed, u"7"_qs);
    QTest::keyClick(tabbed, Qt::Key_Return);
    QCOMPARE(tabbed->text(), u"7"_qs);
    QVERIFY(dialogs_.messages.isEmpty());

    // After counter 10 the single queue's button, then the initial numbers; the single
    // queue's box is the last stop, after the close button.
    const QStringList stops{u"Na1(10)"_qs, u"Na1(0)"_qs, u"Modifnr(11)"_qs};
    for (const QString &stop : stops) {
        QTest::keyClick(&screen, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), stop);
    }
    screen.findChild<QPushButton *>(u"PB1(0)"_qs)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(&screen, Qt::Key_Tab);
    QLineEdit *last = box(screen, 0);
    QCOMPARE(QApplication::focusWidget(), last);

    // Coming back to the screen from another window is no new visit of the box.
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    clipboard->setText(u"copiato"_qs);
    QApplication::setActiveWindow(&screen);
    QCOMPARE(QApplication::focusWidget(), last);
    QCOMPARE(clipboard->text(), u"copiato"_qs);
}

void TestImpostazione::archiveFailureIsReportedAndScreenStaysUsable_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("named"); // in the load's message
    QTest::addColumn<bool>("currentLoaded");
    QTest::addColumn<bool>("initialLoaded");

    QTest::newRow("no NumerazioneIniziale")
        << u"DROP TABLE NumerazioneIniziale"_qs << initial << true << false;
    QTest::newRow("no record in Numerazione")
        << u"DELETE FROM Numerazione"_qs << current << false << true;
}

void TestImpostazione::archiveFailureIsReportedAndScreenStaysUsable()
{
    QFETCH(QString, damage);
    QFETCH(QString, named);
    QFETCH(bool, currentLoaded);
    QFETCH(bool, initialLoaded);

    QVERIFY(fixture_->run(totem, {damage}));

    dialogs_.answers << Dialogs::Answer::Yes;
    Impostazione screen(state_, dialogs_);
    screen.show();
    QCOMPARE(shown(), QStringList{failed});
    QVERIFY2(dialogs_.messages[0].text.contains(named), qPrintable(dialogs_.messages[0].text));
    QCOMPARE(box(screen, 0)->text(), currentLoaded ? u"111"_qs : QString());
    QCOMPARE(box(screen, 11)->text(), initialLoaded ? u"201"_qs : QString());

    // Each command that meets the damage says so; the others work.
    box(screen, 2)->setText(u"5"_qs);
    dialogs_.messages.clear();
    press(screen, u"Na1(2)"_qs);
    press(screen, u"Salvain"_qs);
    press(screen, u"PB1(1)"_qs);
    QCOMPARE(shown(),
             (QStringList{currentLoaded ? modified : failed, initialLoaded ? saved : failed,
                          currentLoaded ? restored : failed}));
    QVERIFY(screen.isVisible());
}

QTEST_MAIN(TestImpostazione)
#include "tst_impostazione.moc"
