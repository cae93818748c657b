#include "journal/fileops.h"

namespace zoltrek {

FileOps& FileOps::system() {
    static FileOps ops;
    return ops;
}

}  // namespace zoltrek
