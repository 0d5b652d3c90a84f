#include "schematic/routing_step_loop.h"

#include "schematic/routing_step.h"

namespace corvane {

void stepLoop(RouteContext& context, RoutePoint start, RoutePoint target, bool forceJog,
              bool join) {
    RoutePoint point = routeStep(context, start, target, forceJog, join);
    while (point.x != 0 && context.stepsLeft > 0) {
        point = routeStep(context, point, target, forceJog, join);
    }
}

}  // namespace corvane
