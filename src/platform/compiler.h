#pragma once
// Compiler hints used on the hot paths of the conversion.

// Keeps a rarely taken path out of its caller, so that the usual one does
// not pay for the registers and stack the rare one needs.
#if defined(_MSC_VER)
#define DORVAX_NOINLINE __declspec(noinline)
#else
#define DORVAX_NOINLINE __attribute__((noinline))
#endif

// Makes a small function part of the loop that calls it even where the
// compiler would keep it apart because it has several callers: the per-line
// reading of a file, whose call and spilled registers would cost as much as
// the reading itself.
#if defined(_MSC_VER)
#define DORVAX_ALWAYS_INLINE __forceinline
#else
#define DORVAX_ALWAYS_INLINE inline __attribute__((always_inline))
#endif
