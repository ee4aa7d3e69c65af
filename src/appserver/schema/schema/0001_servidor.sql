-- Answers of committed write calls, by request token: a call repeated after a lost answer gets the recorded
-- answer instead of being done twice.
CREATE TABLE RPC_RESPOSTA (
    TOKEN        VARCHAR(32) NOT NULL PRIMARY KEY,
    CDCONEXAO    VARCHAR(60) NOT NULL,
    NMMETODO     VARCHAR(60) NOT NULL,
    DSRESPOSTA   TEXT        NOT NULL,
    DTREGISTRO   TIMESTAMP   NOT NULL
);
