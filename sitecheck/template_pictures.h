#pragma once

#include "core/models/picture_list.h"
#include "sitecheck/site_check.h"

#include <QList>
#include <QString>

#include <optional>

namespace lw {

class TemplateCatalogue;

// A template of the list and the picture slots it shows: those whose {IMAGE0} to {IMAGE9} it holds.
struct TemplatePictures
{
    QString name; // the file name without ".tpt", as "05"
    QList<int> slots;
};

QList<int> shownPictureSlots(const QString& templateText);
// Every template of the list; one that cannot be read shows nothing.
QList<TemplatePictures> templatePictures(const TemplateCatalogue& templates);
// Advice when the ad lists pictures its template does not show ("3 pictures listed; template 05
// shows 1"), naming the templates that show them all.
std::optional<Finding> missingPicturesFinding(const PictureValues& pictures, const TemplatePictures& selected,
                                              const QList<TemplatePictures>& all);
// Adds that advice to a check of the ad made with the list's selected template.
void addMissingPictures(SiteCheckResult& result, const GeneratorInput& in,
                        const TemplateCatalogue& templates);

} // namespace lw
