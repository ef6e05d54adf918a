#include "artwork/CatArmDrawing.h"

#include "model/CatTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace mewt {

namespace {

double lengthOf(QPointF v)
{
    return std::hypot(v.x(), v.y());
}

double sagFor(QPointF d)
{
    return std::clamp(0.08 * d.x(), -64.0, 64.0);
}

// A stable value in [0, 1) for marking `index`, so markings never flicker between frames.
double noise(int index, std::uint32_t salt)
{
    std::uint32_t x = static_cast<std::uint32_t>(index) * 0x9E3779B1U ^ salt;
    x ^= x >> 16;
    x *= 0x7FEB352DU;
    x ^= x >> 15;
    x *= 0x846CA68BU;
    x ^= x >> 16;
    return static_cast<double>(x) / 4294967296.0;
}

// The curve sampled by arc length, so markings keep their spacing however the arm bends.
class ArmWalk {
public:
    explicit ArmWalk(const CatArmGeometry& geometry)
        : geometry(geometry)
    {
        QPointF previous = geometry.pointAt(0.0);
        lengths[0] = 0.0;
        for (int i = 1; i < sampleCount; ++i) {
            const QPointF point = geometry.pointAt(static_cast<double>(i) / (sampleCount - 1));
            lengths[static_cast<std::size_t>(i)]
                = lengths[static_cast<std::size_t>(i - 1)] + lengthOf(point - previous);
            previous = point;
        }
    }

    double total() const { return lengths.back(); }

    // Curve parameter at arc length `s`.
    double parameterAt(double s) const
    {
        if (total() <= 0.0 || s <= 0.0)
            return 0.0;
        if (s >= total())
            return 1.0;
        const auto it = std::lower_bound(lengths.begin(), lengths.end(), s);
        const auto i = static_cast<int>(it - lengths.begin());
        const double before = lengths[static_cast<std::size_t>(i - 1)];
        const double span = lengths[static_cast<std::size_t>(i)] - before;
        const double fraction = span > 0.0 ? (s - before) / span : 0.0;
        return (i - 1 + fraction) / (sampleCount - 1);
    }

    QPointF pointAt(double s) const { return geometry.pointAt(parameterAt(s)); }
    QPointF tangentAt(double s) const { return geometry.tangentAt(parameterAt(s)); }
    static QPointF normalOf(QPointF tangent) { return { -tangent.y(), tangent.x() }; }

private:
    static constexpr int sampleCount = 48;
    const CatArmGeometry& geometry;
    std::array<double, sampleCount> lengths {};
};

double degreesOf(QPointF v)
{
    return std::atan2(v.y(), v.x()) * 180.0 / std::numbers::pi;
}

// An ellipse lying along the arm at arc length `s`, shifted sideways by `offset`.
void fillPatch(QPainter& painter, const ArmWalk& walk, double s, double offset, double alongRadius, double acrossRadius,
    const QColor& color)
{
    const QPointF tangent = walk.tangentAt(s);
    const QPointF centre = walk.pointAt(s) + ArmWalk::normalOf(tangent) * offset;
    painter.save();
    painter.translate(centre);
    painter.rotate(degreesOf(tangent));
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(-alongRadius, -acrossRadius, 2 * alongRadius, 2 * acrossRadius));
    painter.restore();
}

void drawTabbyStripes(QPainter& painter, const ArmWalk& walk, double width, const QColor& stripe)
{
    const double spacing = std::max(width * 0.62, 8.0);
    QPen pen(stripe);
    pen.setCapStyle(Qt::RoundCap);
    painter.setBrush(Qt::NoBrush);
    int index = 0;
    for (double s = spacing * 0.6; s < walk.total() - width * 0.15; s += spacing, ++index) {
        const QPointF tangent = walk.tangentAt(s);
        const QPointF normal = ArmWalk::normalOf(tangent);
        const QPointF centre = walk.pointAt(s);
        // Stripes bow toward the paw like a real coat's, and alternate a little in weight.
        pen.setWidthF(width * (index % 2 == 0 ? 0.17 : 0.13));
        painter.setPen(pen);
        QPainterPath path(centre - normal * width * 0.75 - tangent * width * 0.08);
        path.quadTo(centre + tangent * width * 0.32, centre + normal * width * 0.75 - tangent * width * 0.08);
        painter.drawPath(path);
    }
}

void drawTuxedoSock(QPainter& painter, const ArmWalk& walk, double width, const QColor& mark)
{
    // A white sock up to a scalloped cuff, meeting the white paw.
    const double sockLength = std::min(walk.total() * 0.4, width * 2.4);
    const double s0 = walk.total() - sockLength;
    constexpr int steps = 12;
    QPainterPath sock;
    const QPointF cuffTangent = walk.tangentAt(s0);
    const QPointF cuffNormal = ArmWalk::normalOf(cuffTangent);
    const QPointF cuff = walk.pointAt(s0);
    sock.moveTo(cuff + cuffNormal * width);
    for (int i = 1; i <= steps; ++i) {
        const double s = s0 + sockLength * i / steps;
        sock.lineTo(walk.pointAt(s) + ArmWalk::normalOf(walk.tangentAt(s)) * width);
    }
    const QPointF endTangent = walk.tangentAt(walk.total());
    const QPointF tip = walk.pointAt(walk.total()) + endTangent * width;
    sock.lineTo(tip + ArmWalk::normalOf(endTangent) * width);
    sock.lineTo(tip - ArmWalk::normalOf(endTangent) * width);
    for (int i = steps; i >= 1; --i) {
        const double s = s0 + sockLength * i / steps;
        sock.lineTo(walk.pointAt(s) - ArmWalk::normalOf(walk.tangentAt(s)) * width);
    }
    sock.lineTo(cuff - cuffNormal * width);
    // Two soft scallops across the cuff.
    sock.quadTo(cuff - cuffNormal * width * 0.5 - cuffTangent * width * 0.3, cuff);
    sock.quadTo(cuff + cuffNormal * width * 0.5 - cuffTangent * width * 0.3, cuff + cuffNormal * width);
    sock.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(mark);
    painter.drawPath(sock);
}

void drawSiamesePoint(QPainter& painter, const QPainterPath& furPath, const ArmWalk& walk, const QColor& point)
{
    // The coat darkens toward the paw.
    const QPointF from = walk.pointAt(walk.total() * 0.4);
    const QPointF to = walk.pointAt(walk.total());
    QLinearGradient gradient(from, to == from ? from + QPointF(0, 1) : to);
    QColor clear = point;
    clear.setAlphaF(0.0);
    QColor mid = point;
    mid.setAlphaF(0.55);
    gradient.setColorAt(0.0, clear);
    gradient.setColorAt(0.55, mid);
    gradient.setColorAt(1.0, point);
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawPath(furPath);
}

// Patches of alternating colours, spaced along the arm and placed by a stable pattern.
void drawPatches(QPainter& painter, const ArmWalk& walk, double width, const std::vector<QColor>& colors,
    double spacing, double size, std::uint32_t salt)
{
    int index = 0;
    for (double s = spacing * 0.55; s < walk.total() + width * 0.2; s += spacing, ++index) {
        const double jitter = (noise(index, salt) - 0.5) * spacing * 0.35;
        const double side = (index % 2 == 0 ? 1.0 : -1.0) * (0.18 + 0.22 * noise(index, salt + 1)) * width;
        const double along = size * width * (0.75 + 0.5 * noise(index, salt + 2));
        const double across = size * width * (0.5 + 0.3 * noise(index, salt + 3));
        const QColor& color = colors[static_cast<std::size_t>(index) % colors.size()];
        fillPatch(painter, walk, s + jitter, side, along, across, color);
    }
}

} // namespace

QPointF CatArmGeometry::pointAt(double t) const
{
    const double u = 1.0 - t;
    return start * (u * u * u) + control1 * (3 * u * u * t) + control2 * (3 * u * t * t) + end * (t * t * t);
}

QPointF CatArmGeometry::tangentAt(double t) const
{
    const double u = 1.0 - t;
    QPointF d = (control1 - start) * (3 * u * u) + (control2 - control1) * (6 * u * t) + (end - control2) * (3 * t * t);
    double len = lengthOf(d);
    if (len <= 1e-9) {
        d = end - start;
        len = lengthOf(d);
    }
    return len > 1e-9 ? d / len : QPointF(0.0, 1.0);
}

CatArmGeometry catArmGeometry(QPointF start, QPointF end)
{
    const QPointF d = end - start;
    const double length = lengthOf(d);
    const QPointF n = QPointF(-d.y(), d.x()) / std::max(length, 1.0);
    const double sag = sagFor(d);
    return CatArmGeometry { start, end, length, start + 0.36 * d + sag * n, start + 0.72 * d + sag * n };
}

QPainterPath catArmPath(QPointF start, QPointF end, double width)
{
    const QPointF d = end - start;
    const double length = lengthOf(d);
    QPainterPath path;
    if (length == 0.0 || !std::isfinite(length) || !std::isfinite(width))
        return path;
    const QPointF n = QPointF(-d.y(), d.x()) / length;
    const double sag = sagFor(d);
    const QPointF c1 = start + 0.36 * d + sag * n;
    const QPointF c2 = start + 0.72 * d + sag * n;
    const double half = width / 2.0;
    const double tip = 0.34 * width;
    path.moveTo(start + half * n);
    path.cubicTo(c1 + half * n, c2 + tip * n, end + tip * n);
    path.lineTo(end - tip * n);
    path.cubicTo(c2 - tip * n, c1 - half * n, start - half * n);
    path.closeSubpath();
    return path;
}

void drawCatArmPattern(
    QPainter& painter, const QPainterPath& furPath, const CatTheme& theme, const CatArmGeometry& geometry)
{
    if (furPath.isEmpty() || geometry.length <= 0.0)
        return;
    // The outline starts half a width to the side of the shoulder, which gives the width back.
    const double width = std::max(2.0 * lengthOf(furPath.elementAt(0) - geometry.start), 1.0);
    const ArmWalk walk(geometry);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipPath(furPath, Qt::IntersectClip);
    const CatArmPattern& pattern = theme.armPattern;
    if (const auto* tuxedo = pattern.as<CatArmPattern::Tuxedo>()) {
        drawTuxedoSock(painter, walk, width, tuxedo->mark);
    } else if (const auto* tabby = pattern.as<CatArmPattern::Tabby>()) {
        drawTabbyStripes(painter, walk, width, tabby->stripe);
    } else if (const auto* calico = pattern.as<CatArmPattern::Calico>()) {
        drawPatches(painter, walk, width, { calico->orange, calico->dark }, width * 2.1, 0.95, 0xCA11C0U);
    } else if (const auto* tortie = pattern.as<CatArmPattern::Tortie>()) {
        drawPatches(
            painter, walk, width, { tortie->orange, tortie->brown, tortie->orange }, width * 0.9, 0.55, 0x7087E1U);
    } else if (const auto* siamese = pattern.as<CatArmPattern::Siamese>()) {
        drawSiamesePoint(painter, furPath, walk, siamese->point);
    } else if (const auto* cow = pattern.as<CatArmPattern::Cow>()) {
        drawPatches(painter, walk, width, { cow->spot }, width * 2.4, 0.7, 0xC0C0C0U);
    }
    painter.restore();
}

} // namespace mewt
