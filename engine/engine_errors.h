// The run-time error texts of the scene engine, in one place. Texts that name
// a function are built from it, so each message says which call was misused.
#pragma once

#include <string>

inline constexpr const char* kEngineNotInitialised = "Engine used before InitEngineLists";
inline constexpr const char* kParentCycle = "EntityParent: new parent is the entity itself or its descendant";
inline constexpr const char* kTextureIndexRange = "EntityTexture: texture index outside 0 to 7";
inline constexpr const char* kBrushTextureIndexRange = "BrushTexture: texture index outside 0 to 7";
inline constexpr const char* kMatElementRange = "GetMatElement: index outside 0 to 3";

// "<function>: null <role>", e.g. "PositionEntity: null entity".
inline std::string NullHandleText(const char* function, const char* role) {
  return std::string(function) + ": null " + role;
}

// "<function>: freed or invalid <role>": the pointer is not a live object of
// the expected kind (freed, never created by the engine, or another kind).
inline std::string InvalidHandleText(const char* function, const char* role) {
  return std::string(function) + ": freed or invalid " + role;
}

// "<function>: <what> index out of range", e.g. "VertexX: vertex index out of
// range": a vertex, triangle, corner or frame number outside its count.
inline std::string IndexRangeText(const char* function, const char* what) {
  return std::string(function) + ": " + what + " index out of range";
}
