#include "settings/captures.h"

#include "settings/number_reading.h"

namespace vintora {

namespace {

// Reads the boxes given by index into values; on the first box that does
// not read, names it and leaves values partly filled (the caller discards them).
template<std::size_t N>
std::optional<BadNumberBox> readBoxes(const std::array<QString, 4> &texts, const QString &control,
                                      const std::array<int, N> &indexes,
                                      std::array<qint16, N> &values)
{
    for (std::size_t i = 0; i < N; ++i) {
        const auto value = readNumber(texts[indexes[i]]);
        if (!value)
            return BadNumberBox{control, indexes[i]};
        values[i] = *value;
    }
    return std::nullopt;
}

} // namespace

void CapturePageStyle(WizardSettings &settings, const PageStyleControls &controls)
{
    settings.textColor = controls.labelColors[0];
    settings.linkColor = controls.labelColors[1];
    settings.activeLinkColor = controls.labelColors[2];
    settings.visitedLinkColor = controls.labelColors[3];
    settings.pageColor = controls.previewBackColor;
    settings.backgroundPicture = controls.previewTag;
}

std::optional<BadNumberBox> CaptureTable(WizardSettings &settings, const TableControls &controls)
{
    std::array<qint16, 4> numbers{};
    if (auto bad
        = readBoxes(controls.numberTexts, QStringLiteral("Text1"), std::array{0, 1, 2, 3}, numbers))
        return bad;

    settings.tableColumns = numbers[0];
    settings.cellSpacing = numbers[1];
    settings.cellPadding = numbers[2];
    settings.tableBorder = numbers[3];
    settings.cellPicture = controls.cellPictureTag;
    settings.cellColor = controls.cellBackColor;
    // Two separate option groups; a group without a chosen button keeps the
    // field's previous value.
    for (int i = 0; i < 3; ++i) {
        if (controls.alignOptions[i].chosen)
            settings.cellAlign = controls.alignOptions[i].caption;
    }
    for (int i = 3; i < 6; ++i) {
        if (controls.alignOptions[i].chosen)
            settings.cellVAlign = controls.alignOptions[i].caption;
    }
    return std::nullopt;
}

std::optional<BadNumberBox> CaptureThumbnails(WizardSettings &settings,
                                              const ThumbnailControls &controls)
{
    // In each row the left box is the height and the right box the width.
    std::array<qint16, 2> heightAndWidth{};
    const auto indexes = controls.uniformChosen ? std::array{0, 1} : std::array{3, 2};
    if (auto bad
        = readBoxes(controls.sizeTexts, QStringLiteral("txtSize"), indexes, heightAndWidth))
        return bad;

    if (controls.uniformChosen) {
        settings.thumbHeight = heightAndWidth[0];
        settings.thumbWidth = heightAndWidth[1];
        settings.thumbHeightPercent = 0;
        settings.thumbWidthPercent = 0;
    } else {
        settings.thumbHeight = 0;
        settings.thumbWidth = 0;
        settings.thumbHeightPercent = heightAndWidth[0];
        settings.thumbWidthPercent = heightAndWidth[1];
    }
    settings.imageBorders = toFlag(controls.borders != CheckState::Unchecked);
    return std::nullopt;
}

void CapturePackaging(WizardSettings &settings, const PackagingControls &controls)
{
    settings.copyPictures = toFlag(controls.copyChosen);
}

} // namespace vintora
