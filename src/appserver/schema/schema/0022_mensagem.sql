-- The registered messages a posting's additional data may take its texts from; only active ones ('A') are
-- offered, an inactive one ('I') stays for the postings that already quote it.

CREATE TABLE MENSAGEM (
    CDMENSAGEM     VARCHAR(3)   NOT NULL PRIMARY KEY,
    DSMENSAGEM     VARCHAR(120) NOT NULL,
    IDSITUACAOMENS VARCHAR(1)   DEFAULT 'A' NOT NULL CHECK (IDSITUACAOMENS IN ('A', 'I'))
);
