// Creation of the engine's global lists. Nothing runs in static constructors:
// the engine's module start-up calls InitEngineLists once, before anything
// creates an entity. Calling it again does nothing.
#pragma once

void InitEngineLists();
