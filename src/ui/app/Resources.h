#pragma once

// Registers the compiled-in resources (icons, toolbar images) of the UI library.
void Zarn2InitResources();
