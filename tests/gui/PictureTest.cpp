// Pictures larger than the window (lines, points and labels to scale; tiles
// beyond the buffer limit), transparent backgrounds and resolutions, and
// movies of optimisations and vibrations: what the files hold, read back,
// and what the picture and movie commands write through their real dialogs.

#include "AppHarness.h"

#include "app/CMainFrame.h"
#include "formats/FileKind.h"
#include "formats/ReadMolecule.h"
#include "model/CMolData.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/OffscreenBuffer.h"
#include "render/OffscreenPicture.h"
#include "render/ViewState.h"
#include "res/CommandIds.h"
#include "tests/support/GaussianOutputText.h"
#include "tests/support/GeneratedMolecules.h"
#include "view/CMolView.h"
#include "view/CMovieDlg.h"
#include "view/CPictureOptionsDlg.h"
#include "view/MovieRequest.h"
#include "view/MovieWriter.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <memory>

using namespace CommandIds;

namespace {

// A model read from text as a file of the given name, drawn as a new window
// would show it.
struct Drawing {
    Drawing(const std::string& text, const std::string& name) {
        const std::string path =
            QDir(folder.path()).filePath(QString::fromStdString(name)).toStdString();
        std::ofstream(path, std::ios::binary) << text;
        MoleculeFile read = ReadMoleculeFile(path, FileKindFromPath(path), {});
        if (read.status != MoleculeFile::Status::kMolecule)
            qFatal("%s", read.Describe(path).c_str());
        document.data = std::move(read.model);
        document.ComputeDerivedSizes();
        view.frame = document.chosenFrame;
        view.camera.Refit(*document.data, view.frame);
        scene = std::make_unique<CMolScene>(&view, &document);
    }
    QImage Draw(int width, int height, const OffscreenPicture::Options& options = {}) {
        OffscreenPicture picture;
        std::string error;
        if (!OffscreenPicture::Render(*scene, view, width, height, options, picture, error))
            qFatal("%s", error.c_str());
        return picture.ToImage();
    }
    QTemporaryDir folder;
    MolDocState document;
    ViewState view;
    std::unique_ptr<CMolScene> scene;
};

std::unique_ptr<Drawing> Protein() {
    auto drawing = std::make_unique<Drawing>(ProteinLikePdb(60, 7), "p.pdb");
    drawing->view.displayFlags = ViewState::kBallAndStick | ViewState::kWireFrame;
    drawing->view.labelledAtoms = {0, 10, 20, 30, 40, 59};
    return drawing;
}

// The share of pixels whose colour or opacity differs by more than
// tolerance in a channel.
double Mismatch(const QImage& a, const QImage& b, int tolerance) {
    if (a.size() != b.size())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    long long differ = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) > tolerance ||
                std::abs(qGreen(p[col]) - qGreen(q[col])) > tolerance ||
                std::abs(qBlue(p[col]) - qBlue(q[col])) > tolerance ||
                std::abs(qAlpha(p[col]) - qAlpha(q[col])) > tolerance)
                ++differ;
        }
    }
    return static_cast<double>(differ) / (static_cast<double>(x.width()) * x.height());
}

QString Percent(double share) {
    return QString::number(share * 100.0, 'f', 3) + QLatin1Char('%');
}

QImage ReadImage(const QByteArray& bytes, const char* format) {
    QImage image;
    image.loadFromData(bytes, format);
    return image;
}

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

// Four geometries of water, the oxygen moving along z.
std::string Optimisation() {
    return GaussianOutputText::WaterOptimisation(4, 0.25);
}

MovieWriter::Frames Frames(int width, int height, int fps, bool loop) {
    MovieWriter::Frames frames;
    frames.width = width;
    frames.height = height;
    frames.fps = fps;
    frames.loop = loop;
    return frames;
}

QStringList FilesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { AppHarness::VerifyNothingUnexpected(); }
    void theWindowsSizeGivesTheFilesAsBefore();
    void aLargerPictureLooksLikeTheWindow();
    void tilesJoinWithoutSeams();
    void transparentBackgroundAndResolutionReadBack();
    void aGifHoldsEveryGeometryAsItsStillPicture();
    void aVibrationMovieIsOnePeriod();
    void anMp4WhenFfmpegIsThere();
    void aCancelledMovieLeavesNothing();
    void thePictureAndMovieCommandsThroughTheirDialogs();
};

void PictureTest::theWindowsSizeGivesTheFilesAsBefore() {
    auto drawing = Protein();
    // The window's picture as it has always been drawn: one buffer of the
    // window's size, the scene reshaped to it, cleared to the background,
    // drawn and read back, with no scaling, alpha or resolution.
    OffscreenPicture before, now;
    {
        OffscreenBuffer buffer;
        std::string error;
        QVERIFY(buffer.Create(320, 240, error));
        drawing->scene->reshape(320, 240);
        const float* bg = drawing->view.backgroundColour;
        glClearColor(bg[0], bg[1], bg[2], 0.0F);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawing->scene->render();
        before.width = 320;
        before.height = 240;
        before.bgrBottomUp.assign(320 * 240 * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 320, 240, GL_BGR, GL_UNSIGNED_BYTE, before.bgrBottomUp.data());
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
    }
    std::string error;
    QVERIFY(OffscreenPicture::Render(*drawing->scene, drawing->view, 320, 240,
                                     OffscreenPicture::Options(), now, error));
    for (auto format : {OffscreenPicture::kBmp24, OffscreenPicture::kTiff, OffscreenPicture::kPng})
        QVERIFY(before.Encode(format) == now.Encode(format));
    const QByteArray png = Bytes(now.Encode(OffscreenPicture::kPng));
    QVERIFY(!ReadImage(png, "PNG").hasAlphaChannel());
    // The scene's own state is untouched by a scaled drawing.
    OffscreenPicture::Options scaled;
    scaled.scale = 3;
    drawing->Draw(90, 60, scaled);
    QCOMPARE(drawing->scene->view, &drawing->view);
    QCOMPARE(drawing->view.printScale, 1.0);
    QCOMPARE(drawing->view.lineScale, 1.0);
}

namespace {

// The light a picture holds: its grey levels summed.
double Ink(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qGray(image.pixel(x, y));
    return sum;
}

} // namespace

void PictureTest::aLargerPictureLooksLikeTheWindow() {
    auto drawing = Protein();
    // Lines, points and labels only: what must grow with the picture.
    drawing->view.displayFlags = ViewState::kWireFrame;
    const QImage window = drawing->Draw(300, 200);
    OffscreenPicture::Options four;
    four.scale = 4;
    const QImage large = drawing->Draw(1200, 800, four);
    QCOMPARE(large.size(), QSize(1200, 800));
    const auto shrink = [](const QImage& image) {
        return image.scaled(300, 200, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    // Drawn 4 times larger without scaling, lines would be a quarter as
    // thick and labels a quarter as tall: a quarter of the ink.
    const double ink = Ink(window), scaled = Ink(shrink(large)) / ink,
                 thin = Ink(shrink(drawing->Draw(1200, 800))) / ink;
    QVERIFY2(scaled > 0.8 && scaled < 1.25, qPrintable(QString::number(scaled)));
    QVERIFY2(thin < 0.6, qPrintable(QString::number(thin)));
    // And the ink lies where the window's does.
    const double off = Mismatch(window, shrink(large), 96);
    QVERIFY2(off < 0.03, qPrintable(Percent(off)));
}

void PictureTest::tilesJoinWithoutSeams() {
    auto drawing = Protein();
    // Wide points, dropped whole by a tile their centre misses.
    drawing->view.displayFlags = ViewState::kWireFrame;
    drawing->document.wireAtomScale = 10;
    OffscreenPicture::Options options;
    options.scale = 2;
    const QImage whole = drawing->Draw(700, 500, options);
    options.tileLimit = 256; // as if one buffer held no more
    const QImage tiled = drawing->Draw(700, 500, options);
    QCOMPARE(tiled.size(), whole.size());
    // The margin each tile is drawn with.
    const int inside = 256 - 2 * drawing->scene->TileMargin();
    QVERIFY2(inside > 16 && inside < 350, qPrintable(QString::number(inside))); // several tiles
    const double off = Mismatch(whole, tiled, 24);
    QVERIFY2(off < 0.002, qPrintable(Percent(off)));
    // Nothing differs along the joins more than anywhere else: the rows and
    // columns beside each join against the picture's rows and columns.
    int joinDiffer = 0, joinPixels = 0;
    for (int join = inside; join < 700; join += inside) {
        for (int y = 0; y < 500; ++y) {
            for (int x : {join - 1, join}) {
                ++joinPixels;
                joinDiffer += whole.pixel(x, y) != tiled.pixel(x, y) ? 1 : 0;
            }
        }
    }
    // Smoothed edges may round a level apart anywhere in a tiled picture.
    int anyDiffer = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 700; ++x)
            anyDiffer += whole.pixel(x, y) != tiled.pixel(x, y) ? 1 : 0;
    const double share = std::min(0.01, std::max(0.002, 2.0 * anyDiffer / (700.0 * 500.0)));
    QVERIFY2(joinDiffer <= joinPixels * share + 1,
             qPrintable(QStringLiteral("%1 of %2; %3 of the picture")
                            .arg(joinDiffer)
                            .arg(joinPixels)
                            .arg(anyDiffer)));
}

void PictureTest::transparentBackgroundAndResolutionReadBack() {
    // Spheres, and smoothed lines and points whose edges are partly covered.
    auto protein = Protein();
    Drawing& drawing = *protein;
    drawing.view.labelledAtoms.clear();
    drawing.view.backgroundColour[2] = 0.6F; // not what shows through
    OffscreenPicture picture;
    OffscreenPicture::Options options;
    options.transparent = true;
    std::string error;
    QVERIFY(
        OffscreenPicture::Render(*drawing.scene, drawing.view, 600, 400, options, picture, error));
    picture.dotsPerInch = 300;
    const QImage opaque = drawing.Draw(600, 400);
    for (auto [format, name] :
         {std::pair{OffscreenPicture::kPng, "PNG"}, std::pair{OffscreenPicture::kTiff, "TIFF"}}) {
        const QImage read = ReadImage(Bytes(picture.Encode(format)), name);
        QVERIFY2(read.hasAlphaChannel(), name);
        QCOMPARE(qAlpha(read.pixel(2, 2)), 0);
        QCOMPARE(qAlpha(read.pixel(599, 399)), 0);
        // Inside the atoms (pixels two pixels or more from any background
        // in the opaque picture): opaque, in the opaque colours.
        const QRgb background = opaque.pixel(2, 2);
        const auto atom = [&opaque, background](int x, int y) {
            for (int dy = -2; dy <= 2; ++dy)
                for (int dx = -2; dx <= 2; ++dx)
                    if (opaque.pixel(x + dx, y + dy) == background)
                        return false;
            return true;
        };
        int inside = 0, wrong = 0;
        for (int y = 2; y < 398; ++y) {
            for (int x = 2; x < 598; ++x) {
                if (!atom(x, y))
                    continue;
                ++inside;
                const QRgb lit = opaque.pixel(x, y), seen = read.pixel(x, y);
                wrong += qAlpha(seen) != 255 || std::abs(qRed(lit) - qRed(seen)) > 2 ||
                         std::abs(qGreen(lit) - qGreen(seen)) > 2 ||
                         std::abs(qBlue(lit) - qBlue(seen)) > 2;
            }
        }
        QVERIFY2(inside > 200, qPrintable(QString::number(inside)));
        QVERIFY2(wrong <= inside / 100,
                 qPrintable(QStringLiteral("%1 of %2").arg(wrong).arg(inside)));
        QCOMPARE(qRound(read.dotsPerMeterX() / 39.37007874), 300);
        QCOMPARE(qRound(read.dotsPerMeterY() / 39.37007874), 300);
    }
    // Smoothed lines and points: their edges partly covered, opacity
    // between 0 and 255.
    drawing.view.displayFlags = ViewState::kWireFrame;
    QVERIFY(
        OffscreenPicture::Render(*drawing.scene, drawing.view, 600, 400, options, picture, error));
    const long between = std::count_if(picture.alphaBottomUp.begin(), picture.alphaBottomUp.end(),
                                       [](std::uint8_t a) { return a > 0 && a < 255; });
    QVERIFY2(between > 100, qPrintable(QString::number(between)));
    // A BMP holds no alpha.
    QCOMPARE(ReadImage(Bytes(picture.Encode(OffscreenPicture::kBmp24)), "BMP").hasAlphaChannel(),
             false);
}

void PictureTest::aGifHoldsEveryGeometryAsItsStillPicture() {
    Drawing drawing(Optimisation(), "opt.log");
    drawing.view.displayFlags = ViewState::kBallAndStick;
    MovieRequest request;
    request.first = 0;
    request.last = drawing.document.data->frameCount - 1;
    QCOMPARE(request.FrameCount(), 4);
    const QString path = QDir(drawing.folder.path()).filePath(QStringLiteral("opt.gif"));
    QString error;
    QVERIFY2(MovieWriter::Write(*drawing.scene, drawing.view, request, path,
                                Frames(240, 160, 5, true), nullptr, error),
             qPrintable(error));
    QImageReader reader(path);
    QCOMPARE(reader.imageCount(), 4);
    QCOMPARE(reader.size(), QSize(240, 160));
    QCOMPARE(reader.loopCount(), -1); // for ever
    for (int k = 0; k < 4; ++k) {
        const QImage frame = reader.read();
        QCOMPARE(reader.nextImageDelay(), 200);
        drawing.view.frame = k;
        const QImage still = drawing.Draw(240, 160);
        const double off = Mismatch(frame, still, 24);
        QVERIFY2(off < 0.01, qPrintable(QStringLiteral("frame %1: %2").arg(k).arg(Percent(off))));
        if (k > 0) {
            drawing.view.frame = k - 1;
            QVERIFY(Mismatch(frame, drawing.Draw(240, 160), 24) > off); // each its own geometry
        }
    }
}

void PictureTest::aVibrationMovieIsOnePeriod() {
    GaussianOutputText out(GaussianOutputText::kBanner16);
    out.Orientation("Input", {{6, 0, 0, 0}, {8, 1.2, 0, 0}});
    out.Modes({{6, 0, 0.7, 0}, {8, 0, 0, 0}}, true);
    Drawing drawing(out.Text(), "f.log");
    MovieRequest request;
    request.kind = MovieRequest::kVibration;
    request.mode = 0;
    request.framesPerPeriod = 8;
    request.amplitude = 0.5;
    const char* why = nullptr;
    QVERIFY(request.Fits(*drawing.document.data, drawing.view, &why));
    const QString path = QDir(drawing.folder.path()).filePath(QStringLiteral("v.gif"));
    QString error;
    QVERIFY2(MovieWriter::Write(*drawing.scene, drawing.view, request, path,
                                Frames(200, 160, 10, true), nullptr, error),
             qPrintable(error));
    QImageReader reader(path);
    QCOMPARE(reader.imageCount(), 8);
    QList<QImage> frames;
    while (reader.canRead())
        frames << reader.read();
    QCOMPARE(frames.size(), 8);
    // At rest first; the turning points a quarter and three quarters on
    // differ; the offset is the same an eighth and three eighths on; and the
    // period closes without repeating the first frame.
    drawing.view.vibrationOffset = 0.0;
    QVERIFY(Mismatch(frames[0], drawing.Draw(200, 160), 24) < 0.01);
    QVERIFY(Mismatch(frames[2], frames[6], 24) > 0.001);
    QVERIFY(Mismatch(frames[1], frames[3], 24) < 0.01); // sin(π/4) = sin(3π/4)
    QVERIFY(Mismatch(frames[7], frames[0], 24) > 0.001);
    // No mode there, no movie.
    request.mode = 5;
    QVERIFY(!request.Fits(*drawing.document.data, drawing.view, &why));
}

void PictureTest::anMp4WhenFfmpegIsThere() {
    if (MovieWriter::Ffmpeg().isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("ffprobe")).isEmpty())
        QSKIP("ffmpeg and ffprobe are not installed");
    Drawing drawing(Optimisation(), "opt.log");
    MovieRequest request;
    request.last = 3;
    // An odd size: H.264 needs even sides, the frames are padded by one.
    const QString path = QDir(drawing.folder.path()).filePath(QStringLiteral("opt.mp4"));
    QString error;
    QVERIFY2(MovieWriter::Write(*drawing.scene, drawing.view, request, path,
                                Frames(320, 241, 4, true), nullptr, error),
             qPrintable(error));
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-count_frames"),
                 QStringLiteral("-select_streams"), QStringLiteral("v:0"),
                 QStringLiteral("-show_entries"),
                 QStringLiteral("stream=nb_read_frames,width,height,codec_name"),
                 QStringLiteral("-of"), QStringLiteral("csv=p=0"), path});
    QVERIFY(probe.waitForFinished(60000));
    QCOMPARE(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(),
             QStringLiteral("h264,320,242,4"));
    QCOMPARE(FilesIn(drawing.folder.path()),
             QStringList({QStringLiteral("opt.log"), QStringLiteral("opt.mp4")}));
}

void PictureTest::aCancelledMovieLeavesNothing() {
    Drawing drawing(Optimisation(), "opt.log");
    MovieRequest request;
    request.last = 3;
    QStringList formats{QStringLiteral("gif")};
    if (!MovieWriter::Ffmpeg().isEmpty())
        formats << QStringLiteral("mp4");
    for (const QString& format : formats) {
        // A movie there before keeps its bytes.
        const QString path = QDir(drawing.folder.path()).filePath(QStringLiteral("m.") + format);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old movie");
        old.close();
        QProgressDialog progress;
        progress.setMinimumDuration(0);
        // The real cancel button, pressed once the second frame is under way.
        QTimer press;
        connect(&press, &QTimer::timeout, &progress, [&progress, &press] {
            if (progress.value() >= 2) {
                press.stop();
                progress.findChild<QPushButton*>()->click();
            }
        });
        press.start(0);
        QString error = QStringLiteral("not set");
        QVERIFY(!MovieWriter::Write(*drawing.scene, drawing.view, request, path,
                                    Frames(200, 160, 5, true), &progress, error));
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(progress.wasCanceled());
        QFile kept(path);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old movie"));
        QVERIFY(kept.remove());
        QCOMPARE(FilesIn(drawing.folder.path()), QStringList{QStringLiteral("opt.log")});
    }
}

void PictureTest::thePictureAndMovieCommandsThroughTheirDialogs() {
    AppHarness h;
    QVERIFY(h.Start(h.Write(QStringLiteral("opt.log"), QByteArray::fromStdString(Optimisation()))));
    QVERIFY(h.WaitForPicture());
    CMolView* view = h.ActiveView();
    const double ratio = view->devicePixelRatioF();
    const QSize window(qRound(view->width() * ratio), qRound(view->height() * ratio));

    // 画像保存: the file dialog, then the picture at the window's size,
    // with no further question; the bytes the window's picture always had.
    const QString plain = h.Path(QStringLiteral("plain.tif"));
    h.QueueDialogAnswer(plain, 3);
    h.Run(kSavePicture);
    OffscreenPicture expected;
    std::string error;
    QVERIFY(OffscreenPicture::Render(*view->scene, view->state, window.width(), window.height(),
                                     expected, error));
    QVERIFY(h.Read(plain) == Bytes(expected.Encode(OffscreenPicture::kTiff)));

    // 画像保存 (サイズ指定): twice the window, 300 dpi, transparent, chosen in
    // the dialog's boxes, which offer the window's size.
    const QString large = h.Path(QStringLiteral("large.png"));
    h.QueueDialogAnswer(large, 4);
    h.QueueDialog([](QDialog& dialog) {
        auto* options = qobject_cast<CPictureOptionsDlg*>(&dialog);
        QVERIFY(options != nullptr);
        QCOMPARE(options->sizeModes->checkedId(), int(CPictureOptionsDlg::kWindowSize));
        QVERIFY(options->dpiBox->isEnabled() && !options->transparentBox->isChecked());
        options->sizeModes->button(CPictureOptionsDlg::kScaled)->click();
        options->scaleBox->setCurrentIndex(options->scaleBox->findData(2));
        options->dpiBox->setValue(300);
        options->transparentBox->click();
    });
    h.Run(kSavePictureSized);
    const QImage read = ReadImage(h.Read(large), "PNG");
    QCOMPARE(read.size(), window * 2);
    QVERIFY(read.hasAlphaChannel());
    QCOMPARE(qAlpha(read.pixel(1, 1)), 0);
    QCOMPARE(qRound(read.dotsPerMeterX() / 39.37007874), 300);
    QCOMPARE(h.Stored("PictureDpi"), 300);
    QCOMPARE(h.Stored("PictureTransparent"), 1);
    // After it, 画像保存 is still the window's picture, and the sized one
    // offers the window's size again (a BMP: the size only).
    const QString again = h.Path(QStringLiteral("again.tif"));
    h.QueueDialogAnswer(again, 3);
    h.Run(kSavePicture);
    QVERIFY(h.Read(again) == Bytes(expected.Encode(OffscreenPicture::kTiff)));
    h.QueueDialogAnswer(h.Path(QStringLiteral("b.bmp")), 1);
    h.QueueDialog([](QDialog& dialog) {
        auto& options = static_cast<CPictureOptionsDlg&>(dialog);
        QVERIFY(!options.dpiBox->isEnabled() && !options.transparentBox->isEnabled());
        QCOMPARE(options.sizeModes->checkedId(), int(CPictureOptionsDlg::kWindowSize));
        options.sizeModes->button(CPictureOptionsDlg::kPixels)->click();
        options.widthBox->setValue(300);
        options.heightBox->setValue(200);
    });
    h.Run(kSavePictureSized);
    QCOMPARE(ReadImage(h.Read(h.Path(QStringLiteral("b.bmp"))), "BMP").size(), QSize(300, 200));

    // A GIF of steps 2 to 4 at 5 frames a second, through the movie dialog.
    QVERIFY(h.IsEnabled(kSaveMovieGif));
    h.QueueDialog([](QDialog& dialog) {
        auto& movie = static_cast<CMovieDlg&>(dialog);
        QVERIFY(movie.optimisation->isChecked());
        QVERIFY(!movie.vibration->isEnabled()); // no modes
        movie.firstBox->setValue(2);
        movie.widthBox->setValue(160);
        movie.heightBox->setValue(120);
        movie.fpsBox->setValue(5);
        movie.loopBox->setChecked(false);
    });
    const QString gif = h.Path(QStringLiteral("steps"));
    h.QueueDialogAnswer(gif, 1);
    h.Run(kSaveMovieGif);
    QImageReader reader(gif + QStringLiteral(".gif"));
    QCOMPARE(reader.imageCount(), 3);
    QCOMPARE(reader.size(), QSize(160, 120));
    QCOMPARE(reader.loopCount(), 0);
    QVERIFY(!reader.read().isNull());
    QCOMPARE(reader.nextImageDelay(), 200);
    QVERIFY(h.progressShown);
    QCOMPARE(h.Stored("MovieFps"), 5);
    QCOMPARE(h.Stored("MovieLoop"), 0);

    // Without ffmpeg on the PATH the MP4 item is disabled and says why.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", h.Path(QStringLiteral("empty")).toLocal8Bit());
    QVERIFY(!h.IsEnabled(kSaveMovieMp4));
    QVERIFY(h.MainFrame()->Action(kSaveMovieMp4)->text().contains(QStringLiteral("ffmpeg")));
    qputenv("PATH", path);
    if (!MovieWriter::Ffmpeg().isEmpty()) {
        QVERIFY(h.IsEnabled(kSaveMovieMp4));
        QVERIFY(!h.MainFrame()->Action(kSaveMovieMp4)->text().contains(QStringLiteral("ffmpeg")));
    }
}

#include "GuiTestMain.h"
RAVEK_GUI_TEST_MAIN(PictureTest)
#include "PictureTest.moc"
