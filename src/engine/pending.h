#pragma once
// Procedures the driver calls whose features are built in later steps of the
// project. Each answers what "nothing found" means until then: no win, noten,
// no continue file, nothing to record.

namespace sekiba {

struct Game;


}  // namespace sekiba
