// The skin engine's start-up: the skin manager reachable from skin data
// components, the form skinner factory (forms shown maximised skinned just
// before they are first shown), the popup-menu skinning and every
// control wrapper family registered by class name (the wrapper mapping
// creates wrappers by name). The program and the gallery call it once,
// before any form is read.
#pragma once

void InstallSkinEngine();
