#include "services/analyses/Logique.h"
