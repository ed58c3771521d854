#pragma once
// The browser build's stand-in for SFML's own Config.hpp, which refuses any
// system it does not know (emcc defines __unix__ but not __linux__). The key,
// button and vector headers need only these names; no SFML library is linked.
#define SFML_CONFIG_HPP

#define SFML_VERSION_MAJOR 2
#define SFML_VERSION_MINOR 5
#define SFML_VERSION_PATCH 1

#define SFML_STATIC
#define SFML_API_EXPORT
#define SFML_API_IMPORT
#define SFML_DEPRECATED __attribute__((deprecated))

namespace sf {
typedef signed char Int8;
typedef unsigned char Uint8;
typedef signed short Int16;
typedef unsigned short Uint16;
typedef signed int Int32;
typedef unsigned int Uint32;
typedef signed long long Int64;
typedef unsigned long long Uint64;
}  // namespace sf
