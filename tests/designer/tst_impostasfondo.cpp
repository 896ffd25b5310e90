#include "designer/impostasfondo.h"
#include "designertesting.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool savePicture(const QString &path, QSize size, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image.save(path, format);
}

QStringList listed(QWidget &form)
{
    const auto *files = named<QListWidget>(form, "File1");
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    return names;
}

void clickFile(QWidget &form, const QString &name)
{
    auto *files = named<QListWidget>(form, "File1");
    const QRect place = files->visualItemRect(files->findItems(name, Qt::MatchExactly).value(0));
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, place.center());
}

} // namespace

class TestImpostaSfondo : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const { return folder_ + QDir::separator() + name; }

    QTemporaryDir dir_;
    QString folder_ = QDir::toNativeSeparators(dir_.path());
    ScriptedDialogs dialogs_;

private slots:
    void initTestCase()
    {
        QVERIFY(savePicture(dir_.filePath(u"a.jpg"_qs), {40, 30}, "JPG"));
        QVERIFY(savePicture(dir_.filePath(u"b.BMP"_qs), {17, 9}, "BMP"));
        QVERIFY(savePicture(dir_.filePath(u"c.png"_qs), {5, 5}, "PNG"));
        QVERIFY(savePicture(dir_.filePath(u"d.jpeg"_qs), {5, 5}, "JPG"));
        QFile garbage(dir_.filePath(u"X.JPG"_qs));
        QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write("non un'immagine") > 0);
        QVERIFY(QDir(dir_.path()).mkdir(u"sotto"_qs));
        QVERIFY(savePicture(dir_.filePath(u"sotto/e.jpg"_qs), {8, 8}, "JPG"));
    }

    void init() { dialogs_ = ScriptedDialogs(); }

    void browsesFoldersAndListsOnlyJpgAndBmp()
    {
        ImpostaSfondo form(dialogs_, path(u"sotto/e.jpg"_qs));
        // It opens on the folder of the picture in use, on that folder's drive.
        QCOMPARE(form.folder(), path(u"sotto"_qs));
        QCOMPARE(listed(form), QStringList{u"e.jpg"_qs});
        QVERIFY(form.folder().startsWith(named<QComboBox>(form, "Drive1")->currentText()));

        form.setFolder(dir_.path());
        QCOMPARE(form.folder(), folder_);
        QCOMPARE(listed(form), (QStringList{u"a.jpg"_qs, u"b.BMP"_qs, u"X.JPG"_qs}));

        const QString root = QDir::toNativeSeparators(QDir::rootPath());
        QCOMPARE(ImpostaSfondo::joinPath(root, u"f.jpg"_qs), root + u"f.jpg"_qs);
        QCOMPARE(ImpostaSfondo::joinPath(folder_, u"f.jpg"_qs), path(u"f.jpg"_qs));
    }

    void choosingSaysWhatWasChosen_data()
    {
        QTest::addColumn<QString>("file"); // empty: none clicked
        QTest::addColumn<QString>("button");
        QTest::addColumn<QSize>("size"); // of the picture chosen; null: none
        QTest::addColumn<QString>("complaint");
        QTest::newRow("jpeg") << u"a.jpg"_qs << u"PushButton1"_qs << QSize(40, 30) << QString();
        QTest::newRow("bitmap") << u"b.BMP"_qs << u"PushButton1"_qs << QSize(17, 9) << QString();
        QTest::newRow("imposta without a file")
            << QString() << u"PushButton1"_qs << QSize() << QString();
        QTest::newRow("elimina") << u"a.jpg"_qs << u"PushButton3"_qs << QSize() << QString();
        QTest::newRow("unreadable") << u"X.JPG"_qs << u"PushButton1"_qs << QSize()
                                    << u"(il file non contiene un'immagine leggibile)"_qs;
    }

    void choosingSaysWhatWasChosen()
    {
        QFETCH(QString, file);
        QFETCH(QString, button);
        QFETCH(QSize, size);
        QFETCH(QString, complaint);
        ImpostaSfondo form(dialogs_, path(u"a.jpg"_qs));
        QSignalSpy chosen(&form, &ImpostaSfondo::backgroundChosen);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        if (!file.isEmpty())
            clickFile(form, file);
        if (size.isValid()) {
            QCOMPARE(named<QLabel>(form, "Image1")->size(), size); // natural size, not scaled
            QCOMPARE(QSize(named<QLineEdit>(form, "F1")->text().toInt(),
                           named<QLineEdit>(form, "F2")->text().toInt()),
                     size);
        }
        QCOMPARE(chosen.count(), 0);
        click(form, button);

        if (!complaint.isEmpty()) {
            QCOMPARE(chosen.count(), 0);
            QCOMPARE(dialogs_.messages.size(), 2); // on the preview and on "Imposta"
            QVERIFY(dialogs_.messages[1].text.contains(complaint));
            QCOMPARE(dialogs_.messages[1].title, u"ATTENZIONE"_qs);
            return;
        }
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen[0][0].toString(), size.isValid() ? path(file) : QString());
        QCOMPARE(chosen[0][1].value<QPixmap>().size(), size.isValid() ? size : QSize(0, 0));
        QVERIFY(dialogs_.messages.isEmpty());
    }
};

QTEST_MAIN(TestImpostaSfondo)
#include "tst_impostasfondo.moc"
