#include "designer/impostasfondo.h"

#include "support/designerfixture.h"
#include "support/scripteddialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    return image;
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList listed(QWidget &form)
{
    const auto *files = form.findChild<QListWidget *>(u"File1"_qs);
    QStringList names;
    for (int i = 0; i < files->count(); ++i)
        names << files->item(i)->text();
    return names;
}

void clickFile(QWidget &form, const QString &name)
{
    auto *files = form.findChild<QListWidget *>(u"File1"_qs);
    const QList<QListWidgetItem *> found = files->findItems(name, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    files->scrollToItem(found[0]);
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(found[0]).center());
}

void activateFolder(QWidget &form, const QString &name)
{
    auto *folders = form.findChild<QTreeWidget *>(u"Dir1"_qs);
    const QList<QTreeWidgetItem *> found =
        folders->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    // Picked, then opened with Enter: QTest's synthetic double click activates no tree item.
    QTest::mouseClick(folders->viewport(), Qt::LeftButton, {},
                      folders->visualItemRect(found[0]).center());
    QCOMPARE(folders->currentItem(), found[0]);
    QTest::keyClick(folders, Qt::Key_Return);
}

void click(QWidget &form, const QString &button)
{
    QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton);
}

QString label10(const DesignerFixture &designer)
{
    return designer.element(u"Label10"_qs)->property("text").toString();
}

QString sizeShown(QWidget &form)
{
    return form.findChild<QLineEdit *>(u"F1"_qs)->text() + u'x' +
           form.findChild<QLineEdit *>(u"F2"_qs)->text();
}

} // namespace

class TestImpostaSfondo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void browsesFoldersAndListsOnlyJpgAndBmp();
    void aRootFolderGetsNoSecondSeparator();
    void previewShowsThePixelSizeAndImpostaSetsIt_data();
    void previewShowsThePixelSizeAndImpostaSetsIt();
    void unreadablePictureIsReportedAndTheBackgroundKept();
    void impostaBeforeAnyFileAndEliminaRemoveTheBackground();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString folder_; // native
    ScriptedDialogs dialogs_;
};

void TestImpostaSfondo::init()
{
    dialogs_ = ScriptedDialogs();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    folder_ = QDir::toNativeSeparators(dir_->path());
    QVERIFY(picture(40, 30).save(dir_->filePath(u"a.jpg"_qs), "JPG"));
    QVERIFY(picture(17, 9).save(dir_->filePath(u"b.BMP"_qs), "BMP"));
    put(dir_->filePath(u"X.JPG"_qs), "non un'immagine");
    QVERIFY(picture(5, 5).save(dir_->filePath(u"c.png"_qs), "PNG"));
    QVERIFY(picture(5, 5).save(dir_->filePath(u"d.jpeg"_qs), "JPG"));
    QVERIFY(QDir(dir_->path()).mkdir(u"sotto"_qs));
    QVERIFY(picture(8, 8).save(dir_->filePath(u"sotto/e.jpg"_qs), "JPG"));
}

void TestImpostaSfondo::browsesFoldersAndListsOnlyJpgAndBmp()
{
    DesignerFixture designer;
    designer.element(u"Label10"_qs)
        ->setProperty("text", QDir::toNativeSeparators(dir_->filePath(u"sotto/e.jpg"_qs)));
    ImpostaSfondo form(dialogs_, designer, designer, &designer);
    QCOMPARE(form.objectName(), u"ImpostaSfondo"_qs);
    QCOMPARE(form.windowTitle(), u"Imposta Sfondo schermata FrontEnd"_qs);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    // Opened on the folder of the picture in use.
    QCOMPARE(form.folder(), QDir::toNativeSeparators(dir_->filePath(u"sotto"_qs)));
    QCOMPARE(listed(form), QStringList{u"e.jpg"_qs});
    const auto *drives = form.findChild<QComboBox *>(u"Drive1"_qs);
    QVERIFY(drives->currentIndex() >= 0);
    QVERIFY(form.folder().startsWith(drives->currentText()));

    activateFolder(form, dir_->path().section(u'/', -1));
    QCOMPARE(form.folder(), folder_);
    QCOMPARE(listed(form), (QStringList{u"a.jpg"_qs, u"b.BMP"_qs, u"X.JPG"_qs}));
    activateFolder(form, u"sotto"_qs);
    QCOMPARE(form.folder(), QDir::toNativeSeparators(dir_->filePath(u"sotto"_qs)));

    // Browsing alone sets nothing.
    QVERIFY(form.picturePath().isEmpty());
    QVERIFY(designer.pictures.isEmpty() && designer.paths.isEmpty());
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestImpostaSfondo::aRootFolderGetsNoSecondSeparator()
{
    const QString root = QDir::toNativeSeparators(QDir::rootPath());
    QCOMPARE(ImpostaSfondo::joinPath(root, u"foto.jpg"_qs), root + u"foto.jpg"_qs);
    QCOMPARE(ImpostaSfondo::joinPath(folder_, u"foto.jpg"_qs),
             folder_ + QDir::separator() + u"foto.jpg"_qs);

    DesignerFixture designer;
    ImpostaSfondo form(dialogs_, designer, designer);
    form.setFolder(QDir::rootPath());
    QCOMPARE(form.folder(), root);
    QCOMPARE(form.findChild<QComboBox *>(u"Drive1"_qs)->currentText(), root);
}

void TestImpostaSfondo::previewShowsThePixelSizeAndImpostaSetsIt_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("size");
    QTest::newRow("jpeg") << u"a.jpg"_qs << QSize(40, 30);
    QTest::newRow("bitmap") << u"b.BMP"_qs << QSize(17, 9);
}

void TestImpostaSfondo::previewShowsThePixelSizeAndImpostaSetsIt()
{
    QFETCH(QString, file);
    QFETCH(QSize, size);

    DesignerFixture designer;
    ImpostaSfondo form(dialogs_, designer, designer, &designer);
    form.setFolder(folder_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickFile(form, file);

    const QString path = folder_ + QDir::separator() + file;
    QCOMPARE(form.picturePath(), path);
    const auto *preview = form.findChild<QLabel *>(u"Image1"_qs);
    QCOMPARE(preview->pixmap().size(), size);
    QCOMPARE(preview->size(), size); // natural size, not scaled
    QCOMPARE(sizeShown(form), QStringLiteral("%1x%2").arg(size.width()).arg(size.height()));
    QVERIFY(designer.pictures.isEmpty());

    click(form, u"PushButton1"_qs);
    QCOMPARE(designer.pictures.size(), 1);
    QCOMPARE(designer.pictures[0].size(), size);
    QCOMPARE(designer.paths, QStringList{path});
    QCOMPARE(label10(designer), path);

    click(form, u"Command5"_qs);
    QVERIFY(!form.isVisible());
    QCOMPARE(designer.pictures.size(), 1);
    QCOMPARE(label10(designer), path);
    QVERIFY(dialogs_.messages.isEmpty());
}

void TestImpostaSfondo::unreadablePictureIsReportedAndTheBackgroundKept()
{
    DesignerFixture designer;
    ImpostaSfondo form(dialogs_, designer, designer);
    form.setFolder(folder_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickFile(form, u"a.jpg"_qs);
    click(form, u"PushButton1"_qs);
    const QString good = folder_ + QDir::separator() + u"a.jpg"_qs;

    clickFile(form, u"X.JPG"_qs);
    const QString bad = folder_ + QDir::separator() + u"X.JPG"_qs;
    QCOMPARE(dialogs_.messages.size(), 1);
    QCOMPARE(dialogs_.messages[0].kind, Dialogs::Kind::Critical);
    QCOMPARE(dialogs_.messages[0].title, u"ATTENZIONE"_qs);
    QCOMPARE(dialogs_.messages[0].text, u"Impossibile leggere l'immagine:\n"_qs + bad);
    QVERIFY(form.findChild<QLabel *>(u"Image1"_qs)->pixmap().isNull());
    QCOMPARE(sizeShown(form), u"x"_qs);

    click(form, u"PushButton1"_qs);
    QCOMPARE(dialogs_.messages.size(), 2);
    QCOMPARE(dialogs_.messages[1].text, u"Impossibile leggere l'immagine:\n"_qs + bad +
                                            u"\nLo sfondo non è stato cambiato."_qs);
    QCOMPARE(designer.pictures.size(), 1);
    QCOMPARE(designer.paths, QStringList{good});
    QCOMPARE(label10(designer), good);
}

void TestImpostaSfondo::impostaBeforeAnyFileAndEliminaRemoveTheBackground()
{
    DesignerFixture designer;
    designer.element(u"Label10"_qs)->setProperty("text", u"C:\\Immagini\\vecchia.jpg"_qs);
    {
        ImpostaSfondo form(dialogs_, designer, designer);
        form.show();
        click(form, u"PushButton1"_qs);
    }
    QCOMPARE(designer.pictures.size(), 1);
    QVERIFY(designer.pictures[0].isNull());
    QCOMPARE(designer.paths, QStringList{QString()});
    QCOMPARE(label10(designer), QString());

    ImpostaSfondo form(dialogs_, designer, designer);
    form.setFolder(folder_);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    clickFile(form, u"b.BMP"_qs);
    click(form, u"PushButton1"_qs);
    click(form, u"PushButton3"_qs);
    QCOMPARE(designer.pictures.size(), 3);
    QVERIFY(!designer.pictures[1].isNull());
    QVERIFY(designer.pictures[2].isNull());
    QCOMPARE(designer.paths.last(), QString());
    QCOMPARE(label10(designer), QString());
    QVERIFY(dialogs_.messages.isEmpty());
}

QTEST_MAIN(TestImpostaSfondo)
#include "tst_impostasfondo.moc"
