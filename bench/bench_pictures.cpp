// SPDX-License-Identifier: GPL-3.0-or-later
// What drawing a picture costs: playing the recording made at build time,
// as the program does, beside parsing its SVG and drawing it through Qt
// SVG, as the program did before, for the largest pictures (a room's
// photograph lit and dark, a view of the house, the plan) at the size a
// maximised room shows its photograph on a full-HD screen.
#include "svg_sources.h"
#include "ui/pictures.h"

#include "program.h"

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace {

const QSize Size(1600, 1000);

QImage blank() {
    QImage image(Size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void BM_PlayRecording(benchmark::State& state, const char* name) {
    for (auto _ : state) {
        QImage image = blank();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        ui::pictures::play(painter, QString::fromLatin1(name), QRectF(QPointF(), QSizeF(Size)));
    }
}

void BM_ParseAndDrawSvg(benchmark::State& state, const char* name) {
    const QByteArray svg = testing::svgSource(QString::fromLatin1(name));
    for (auto _ : state) {
        QImage image = blank();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        QSvgRenderer renderer(svg);
        renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
        renderer.render(&painter, QRectF(QPointF(), QSizeF(Size)));
    }
}

} // namespace

#define PICTURE(name)                                                                              \
    BENCHMARK_CAPTURE(BM_PlayRecording, name, #name)->Apply(bench::fiveRuns);                      \
    BENCHMARK_CAPTURE(BM_ParseAndDrawSvg, name, #name)->Apply(bench::fiveRuns)

PICTURE(photo_dining);
PICTURE(photo_dining_dark);
PICTURE(face_south);
PICTURE(plan);

int main(int argc, char** argv) {
    return bench::runOnProgram(argc, argv, QStringLiteral("picture drawn at 1600x1000"));
}
