#include "project/ProjectData.h"

namespace quillmap {

void ProjectDataTarget::setEncoding(TextEncoding encoding) { data_.encoding = encoding; }

void ProjectDataTarget::loadOutline(ItemTree& built)
{
    data_.tree.clear();
    data_.tree.swap(built);
}

void ProjectDataTarget::setTargetFrame(std::string frame) { data_.options.targetFrame = std::move(frame); }
void ProjectDataTarget::setUseTextLinks(bool use) { data_.options.useTextLinks = use; }
void ProjectDataTarget::setAutoClose(bool autoClose) { data_.options.autoClose = autoClose; }
void ProjectDataTarget::setSite(ProjectSite site) { data_.options.site = std::move(site); }

void ProjectDataTarget::setColor(int index, Rgb color)
{
    MenuLook& look = data_.options.look;
    Rgb* colors[] = {&look.backColor, &look.textColor, &look.linkColor, &look.visitedLinkColor,
                     &look.activatedLinkColor};
    if (index >= 0 && index < 5) *colors[index] = color;
}

void ProjectDataTarget::setStyle(int index, int style)
{
    MenuLook& look = data_.options.look;
    int* styles[] = {&look.linkStyle, &look.visitedLinkStyle, &look.activatedLinkStyle};
    if (index >= 0 && index < 3) *styles[index] = style >= 0 && style <= 3 ? style : -1;
}

ReadOutcome readProjectData(const std::filesystem::path& path, ProjectData& data)
{
    ProjectDataTarget target(data);
    return readProjectFile(path, target);
}

}  // namespace quillmap
