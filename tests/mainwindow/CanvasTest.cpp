// The plot canvas: drawing persists until cleared, plots overlay, the eye picture is a
// separate element.
#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScreen>
#include <set>

#include "GuiTest.h"
#include "PlotCanvas.h"
#include "frmPrintOutput.h"
#include "frmTrajectory.h"

namespace {

class CanvasTest : public GuiTest {
protected:
    frmTrajectory& main() { return program->window<frmTrajectory>(); }

    // The rows of one canvas column that hold the colour.
    std::set<int> rowsOf(const PlotCanvas& canvas, int x, QColor colour) {
        std::set<int> rows;
        for (int y = 0; y < 288; ++y)
            if (canvas.pixel(x, y) == colour) rows.insert(y);
        return rows;
    }
};

TEST_F(CanvasTest, DefaultPlotDrawsFrameEyeAndReport) {
    frmTrajectory& w = main();
    PlotCanvas& canvas = *w.canvas;
    w.mnuPlot_Click();
    // Vertical axis at x 50, horizontal axis at y 288 - 50.
    EXPECT_EQ(canvas.pixel(50, 100), QColor(Qt::black));
    EXPECT_EQ(canvas.pixel(300, 238), QColor(Qt::black));
    EXPECT_EQ(params().XAxis, 238);
    // The eye sits in the left margin, centred on the line of sight (row 119).
    EXPECT_FALSE(canvas.imgEye->isHidden());
    EXPECT_EQ(canvas.imgEye->pos(), QPoint(9, 103));
    frmPrintOutput* results = program->loaded<frmPrintOutput>();
    ASSERT_NE(results, nullptr);
    EXPECT_TRUE(results->isVisible());
    EXPECT_TRUE(results->text().startsWith("Muzzle Velocity = 2000"));
    EXPECT_EQ(results->text().count("\r\n"), 12) << "the default report has 13 lines";
    EXPECT_EQ(program->state().FirstPageText, results->text().toStdString());
}

TEST_F(CanvasTest, DrawingSurvivesCoveringAndResizing) {
    frmTrajectory& w = main();
    PlotCanvas& canvas = *w.canvas;
    w.mnuShowGravity_Click();
    // The ball hangs at (width - 200, 110) for a level line of sight.
    ASSERT_EQ(canvas.pixel(378, 110), QColor(Qt::blue));
    // Growing the canvas keeps the picture and reports the new size for the next run.
    canvas.resize(800, 400);
    QResizeEvent grow(QSize(800, 400), QSize(578, 288));
    QCoreApplication::sendEvent(&canvas, &grow);
    EXPECT_EQ(canvas.pixel(378, 110), QColor(Qt::blue));
    EXPECT_EQ(canvas.surface().width(), 800);
    EXPECT_EQ(canvas.surface().height(), 400);
    EXPECT_EQ(canvas.pixel(700, 350), QColor(Qt::white));
    // Shrinking does not lose what lies outside the smaller area.
    canvas.resize(300, 200);
    QResizeEvent shrink(QSize(300, 200), QSize(800, 400));
    QCoreApplication::sendEvent(&canvas, &shrink);
    canvas.resize(578, 288);
    QResizeEvent back(QSize(578, 288), QSize(300, 200));
    QCoreApplication::sendEvent(&canvas, &back);
    EXPECT_EQ(canvas.pixel(378, 110), QColor(Qt::blue));
}

TEST_F(CanvasTest, BackingStoreHoldsNoMoreThanTheScreenCanShow) {
    PlotCanvas& canvas = *main().canvas;
    const QSize screen = canvas.screen()->virtualSize();
    const QSize huge = screen * 5;
    canvas.resize(huge);
    QResizeEvent grow(huge, QSize(578, 288));
    QCoreApplication::sendEvent(&canvas, &grow);
    const auto fitsTheScreen = [&](const QImage& image) {
        return image.width() <= screen.width() * image.devicePixelRatio() &&
               image.height() <= screen.height() * image.devicePixelRatio();
    };
    EXPECT_TRUE(fitsTheScreen(canvas.surface().image()));
    // The run still flies across the whole canvas, drawing what the screen shows.
    EXPECT_EQ(canvas.surface().width(), huge.width());
    main().mnuPlot_Click();
    EXPECT_EQ(canvas.pixel(50, 100), QColor(Qt::black));
    EXPECT_TRUE(fitsTheScreen(canvas.composedImage())) << "a print takes no more either";
}

TEST_F(CanvasTest, PlotsOverlayUntilTheScreenIsCleared) {
    frmTrajectory& w = main();
    PlotCanvas& canvas = *w.canvas;
    w.mnuShowGravity_Click();
    w.mnuPlot_Click();
    const std::set<int> first = rowsOf(canvas, 300, Qt::black);
    params().InitialVelocity = 3000;
    w.mnuPlot_Click();
    const std::set<int> both = rowsOf(canvas, 300, Qt::black);
    EXPECT_TRUE(std::includes(both.begin(), both.end(), first.begin(), first.end())) << "the first curve stays";
    EXPECT_GT(both.size(), first.size()) << "the second curve is added";
    EXPECT_EQ(canvas.pixel(378, 110), QColor(Qt::blue)) << "the gravity indicator stays";

    w.mnuClear->trigger();
    EXPECT_TRUE(canvas.imgEye->isHidden());
    EXPECT_TRUE(rowsOf(canvas, 300, Qt::black).empty());
    EXPECT_EQ(canvas.pixel(378, 110), QColor(Qt::white));
}

// Smoothed labels drawn again over themselves would grow bolder: a second identical plot
// leaves every label's pixels as the first left them.
TEST_F(CanvasTest, PlottingAgainLeavesTheLabelsAsTheyWere) {
    frmTrajectory& w = main();
    CanvasSurface& surface = w.canvas->surface();
    w.mnuPlot_Click();
    const QImage once = surface.image().copy();
    const std::vector<tarnwick::DrawOp> drawn = surface.operations();
    w.mnuPlot_Click();
    const QImage twice = surface.image();
    int labels = 0;
    for (const tarnwick::DrawOp& op : drawn) {
        if (op.kind != tarnwick::DrawOp::Kind::Text || op.text.empty()) continue;
        ++labels;
        const QRect box = QRectF(op.x1, op.y1, surface.textWidth(op.text), surface.textHeight(op.text)).toAlignedRect();
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                ASSERT_EQ(twice.pixel(x, y), once.pixel(x, y)) << op.text << " at " << x << "," << y;
    }
    EXPECT_GT(labels, 5);
}

TEST_F(CanvasTest, GoStartsFromAClearCanvas) {
    frmTrajectory& w = main();
    PlotCanvas& canvas = *w.canvas;
    w.mnuShowGravity_Click();
    w.mnuGo_Click();
    EXPECT_NE(canvas.pixel(378, 110), QColor(Qt::blue));
    EXPECT_EQ(canvas.pixel(50, 100), QColor(Qt::black));
    EXPECT_FALSE(canvas.imgEye->isHidden());
}

TEST_F(CanvasTest, PrintTrajectoryWritesOnePageAndCancelPrintsNothing) {
    QTemporaryDir dir;
    services->pdfPath = dir.filePath("plot.pdf");
    frmTrajectory& w = main();
    services->printerAccepts = false;
    w.mnuPrintTraj->trigger();
    EXPECT_FALSE(QFile::exists(services->pdfPath));
    services->printerAccepts = true;
    w.mnuPlot_Click();
    w.mnuPrintTraj->trigger();
    QFile pdf(services->pdfPath);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page/"), 1)
        << bytes.left(200).toStdString();
}

TEST_F(CanvasTest, PrintedPlotIsLinesAndTextWithOnlyTheEyeAsAPicture) {
    QTemporaryDir dir;
    services->pdfPath = dir.filePath("plot.pdf");
    frmTrajectory& w = main();
    params().BallisticCoefLow = params().BallisticCoefMid = params().BallisticCoefHigh = 0.5;
    params().BulletMass = 168;
    w.mnuPlot_Click();
    w.mnuPrintTraj->trigger();
    const std::optional<QString> text = popplerOutput("pdftotext", services->pdfPath);
    const std::optional<QString> images = popplerOutput("pdfimages", services->pdfPath);
    if (!text || !images) GTEST_SKIP() << "pdftotext or pdfimages (poppler-utils) is not installed";
    // The title line, and the axis labels as text.
    // (The "ffi" of "coefficient" may come out as one ligature character.)
    const QRegularExpression title(R"(^Ballistic coe\S+ 0\.5, 168 gr\., 2000 ft/s, \d{4}-\d\d-\d\d\n)");
    EXPECT_TRUE(title.match(*text).hasMatch()) << text->toStdString();
    for (const char* label : {"Yards", "+1", "-2", "100"}) EXPECT_TRUE(text->contains(label)) << label;
    // Rows of "page num type width height ...": no picture larger than the eye (its sharp
    // 64 x 64 drawing at the printer's resolution).
    int pictures = 0;
    for (const QString& row : images->split('\n').mid(2)) {
        const QStringList columns = row.split(' ', Qt::SkipEmptyParts);
        if (columns.size() < 5) continue;
        ++pictures;
        EXPECT_LE(columns[3].toInt(), 64) << row.toStdString();
        EXPECT_LE(columns[4].toInt(), 64) << row.toStdString();
    }
    EXPECT_GE(pictures, 1) << "the eye";
}

TEST_F(CanvasTest, ExportPlotWritesTheFormatItsNameAsksFor) {
    QTemporaryDir dir;
    frmTrajectory& w = main();
    w.mnuPlot_Click();
    struct Case {
        QString name;
        std::optional<int> scale;  // the answer to the scale question (PNG only)
        QByteArray start;          // of the file written; empty: no file
        QString message;           // part of the message shown; empty: none
    };
    const Case cases[] = {
        {"plot.PNG", 3, "\x89PNG", {}},
        {"plot.svg", {}, "<?xml", {}},
        {"plot.pdf", {}, "%PDF", {}},
        {"cancelled.png", std::nullopt, {}, {}},
        {"plot.txt", {}, {}, "must end in .png, .svg or .pdf"},
        {"missing/plot.pdf", {}, {}, "could not be exported to"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(c.name);
        services->saveAnswers = {path};
        services->numberAnswers = {c.scale};
        w.mnuExportPlot->trigger();
        QFile file(path);
        const QByteArray start = file.open(QIODevice::ReadOnly) ? file.read(c.start.size()) : QByteArray();
        EXPECT_EQ(start, c.start) << c.name.toStdString();
        const std::vector<RecordedMessage> messages = takeMessages();
        const QString shown = messages.empty() ? QString() : messages.back().text;
        EXPECT_EQ(shown.isEmpty(), c.message.isEmpty()) << c.name.toStdString();
        EXPECT_TRUE(shown.contains(c.message)) << shown.toStdString();
    }
    EXPECT_EQ(QImage(dir.filePath("plot.PNG")).size(), QSize(578, 288) * 3);
}

TEST_F(CanvasTest, ComposedImageCarriesTheEye) {
    frmTrajectory& w = main();
    w.mnuPlot_Click();
    const QImage picture = w.canvas->composedImage();
    EXPECT_EQ(picture.size(), QSize(578, 288));
    // The eye's picture is not white at its centre, where the canvas itself is.
    EXPECT_NE(picture.pixelColor(25, 119), QColor(Qt::white));
}

}  // namespace
