#pragma once
// Where OpenGL is only a software rasterizer (no GPU: a virtual machine, a
// remote desktop, a store PC without its graphics driver), Qt Quick's own
// software renderer draws the screens faster than OpenGL emulated on the
// processor: it redraws only what changed, while emulated OpenGL redraws the
// whole window for every frame on the same cores that load the catalog.
// Call before the first window is made. An explicit choice in the
// environment (QT_QUICK_BACKEND, QSG_RHI_BACKEND) is left alone.

namespace vantrel {

// True when the software renderer was chosen.
bool preferSoftwareSceneGraphWithoutGpu();

} // namespace vantrel
