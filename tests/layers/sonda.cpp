// Compiled against one library's include root with SONDA naming a header that
// library must not reach; it must fail to compile (see CMakeLists.txt).
#include SONDA
