#include "clock/face/SkinLoader.h"

#include "clock/face/SkinCatalogue.h"

#include <array>
#include <utility>

namespace dorvane {
namespace {

const PictureResource kHourHand{"PNG", "HOUR"};
const PictureResource kMinuteHand{"PNG", "MINUTE"};
const PictureResource kSecondHand{"PNG", "SECOND"};
const PictureResource kBorderRing{"CUSTOM", "BORDER"};

} // namespace

SkinLoader::SkinLoader(const ClockState& state, ClockSurfaces& surfaces, ClockWindowFrame& window,
                       const EmbeddedResources& resources)
    : state_(state), surfaces_(surfaces), window_(window), resources_(resources)
{
}

Status SkinLoader::LoadSkin()
{
    for (c32bppDIB* surface : surfaces_.All())
        surface->DestroyDIB();
    const Status dial = LoadDial();
    const Status others = LoadHandsAndBorder();
    for (c32bppDIB* surface : surfaces_.All())
        surface->SetHighQualityInterpolation(state_.HighQuality);
    if (surfaces_.iBack.Handle())
        window_.SizeToDial(surfaces_.iBack.Width(), surfaces_.iBack.Height());
    return dial ? others : dial;
}

// The dial the Skin names, else the default dial.
Status SkinLoader::LoadDial()
{
    const PictureResource dial = SkinCatalogue::DialOf(state_.Skin);
    const Status named = Load(surfaces_.iBack, dial);
    if (named)
        return named;
    const PictureResource fallback = SkinCatalogue::DefaultDial();
    if (dial != fallback && Load(surfaces_.iBack, fallback))
        return Status::Failure("the dial \"" + state_.Skin + "\" could not be loaded (" + named.error() +
                               "); the default dial is shown");
    return Status::Failure("the dial \"" + state_.Skin + "\" could not be loaded: " + named.error());
}

Status SkinLoader::LoadHandsAndBorder()
{
    const std::array<std::pair<c32bppDIB*, const PictureResource*>, 4> pictures = {{
        {&surfaces_.iHour, &kHourHand},
        {&surfaces_.iMin, &kMinuteHand},
        {&surfaces_.iSec, &kSecondHand},
        {&surfaces_.iClockBorder, &kBorderRing},
    }};
    std::string missing;
    for (auto [surface, picture] : pictures) {
        if (Status loaded = Load(*surface, *picture); !loaded)
            missing += (missing.empty() ? "" : ", ") + picture->type + "/" + picture->name + " (" + loaded.error() + ")";
        // Drawn every second and never drawn on.
        surface->SetRemembersCoverage(true);
    }
    if (missing.empty())
        return Status::Ok();
    return Status::Failure("the clock's pictures " + missing + " could not be loaded");
}

Status SkinLoader::Load(c32bppDIB& surface, const PictureResource& picture)
{
    constexpr bool kKeepSourceBytes = true;
    if (surface.LoadPicture_Resource(picture.name, picture.type, &resources_, 0, 0, kKeepSourceBytes))
        return Status::Ok();
    return Status::Failure(surface.LastLoadError());
}

} // namespace dorvane
