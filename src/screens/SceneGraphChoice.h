#pragma once
// On a machine without a GPU (a virtual machine, a remote desktop, a store PC
// without its graphics driver) OpenGL is only emulated on the processor: it
// redraws the whole window for every frame on the same cores that load the
// catalog, and its rasterizer's libraries take some 60 MB. Qt Quick's own
// software renderer redraws only what changed. Call before the first window is
// made. An explicit choice in the environment (QT_QUICK_BACKEND,
// QSG_RHI_BACKEND) is left alone.

namespace vantrel {

// True when the software renderer was chosen.
bool preferSoftwareSceneGraphWithoutGpu();

} // namespace vantrel
