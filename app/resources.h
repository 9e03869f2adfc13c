#pragma once

namespace Resources {
// Registers the embedded resource tree (pictures, catalogues, empty database).
void registerAll();
}
