#pragma once

#include <QString>

#include <optional>

namespace lw {

class SharedState;
class DesktopServices;

struct BuiltInTemplate
{
    int pictures;
    int tables;
};
// The pictures and tables of templates 1 to 20; nullopt for any other number.
std::optional<BuiltInTemplate> builtInTemplate(int number);

// Always the installation's "templates" folder, whatever folder the list shows.
QString catalogueFolder();
// Data file and custom-defaults marker of the selected template; empty with no selection.
QString templateDataPath(const SharedState& state);
QString templateMarkerPath(const SharedState& state);
QString templatePreviewPath(int number);
// The sharpest picture of template n for the seller's eye: the large "graphics/n.png" made
// beside "graphics/n.gif", else the GIF, else the "no preview" picture 0 (PNG, else GIF).
QString templatePicturePath(int number);
// The large picture beside a catalogue GIF ("graphics/3.png" for "graphics/3.gif"), else the GIF.
QString sharperPicturePath(const QString& gif);

// What selecting a template in the list shows and limits (thumbnail, information,
// picture slots, table rows). Runs whenever the selection is set.
void showTemplateSelection(SharedState& state);
// Applies the selected template's data file to the ad.
void DefaultColors(SharedState& state, DesktopServices& ds);
// Stores the current look as the selected template's defaults.
void SaveTemplateSettings(SharedState& state, DesktopServices& ds);
// show_colors: the swatches repaint from the model.
void show_colors(SharedState& state);
// Opens the full-size preview page of the selected template.
void showFullSizedPreview(SharedState& state, DesktopServices& ds);

} // namespace lw
