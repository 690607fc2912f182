select x
-- crlf comment
from t
