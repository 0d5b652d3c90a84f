// The schematic window's tool bar icons, drawn with QPainter at the screen's
// pixel ratio so they stay crisp on high-density displays.
#pragma once

#include <QIcon>

#include "schematic/schematic_menus.h"

namespace corvane {

QIcon schematicToolIcon(SchematicCommand command, qreal devicePixelRatio);

}  // namespace corvane
