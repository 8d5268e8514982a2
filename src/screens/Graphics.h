// Every GL-owning drawer of the game, held together so that the app can end
// them all while the window and its context still exist.
#pragma once

#include "render/BallRenderer.h"
#include "render/LensFlare.h"
#include "render/ParticleRenderer.h"
#include "ui/Canvas.h"

struct Graphics {
    BallRenderer scene;
    ParticleRenderer particles;
    LensFlare flare;
    Canvas canvas;
};
